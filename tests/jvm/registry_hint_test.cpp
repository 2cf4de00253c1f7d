#include <gtest/gtest.h>

#include <chrono>

#ifdef _WIN32
#include <windows.h>
#endif

#include "base/launcher_exception.h"
#include "base/log.h"
#include "jvm/registry_hint.h"
#include "platform/system.h"
#include "support/temp_dir.h"

namespace {

bool hasRegistry() {
    return platform::pathSeparator() == '\\';
}

// A key of the test's own under HKEY_CURRENT_USER\Software, removed with
// everything below it at the end.
class TestKey {
public:
    TestKey()
        : path_("Software\\LauncherRegistryTest" +
                std::to_string(std::chrono::steady_clock::now().time_since_epoch().count())) {}
    ~TestKey() {
#ifdef _WIN32
        RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
#endif
    }
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;

    // Sets a string value (the empty name: the key's default value) of a key
    // below the test's key.
    void set(const std::string& subKey, const std::string& name, const std::string& value) {
#ifdef _WIN32
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (path_ + "\\" + subKey).c_str(), 0, nullptr, 0,
                                  KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1)),
                  ERROR_SUCCESS);
        RegCloseKey(key);
#else
        (void)subKey, (void)name, (void)value;
#endif
    }

    // The hint path of a value below the test's key.
    std::string hint(const std::string& rest) const {
        return "\\HKEY_CURRENT_USER\\" + path_ + "\\" + rest;
    }

private:
    std::string path_;
};

class RegistryHint : public testing::Test {
protected:
    void SetUp() override {
        setLogFile(directory_.file("launcher.log"));
        key_.set("Home", "Path", "C:\\jre");
        key_.set("Home\\Default", "", "C:\\default jre");
        key_.set("Home", "Empty", "");
    }
    void TearDown() override { setLogFile(""); }
    std::string logged() const { return readFile(directory_.file("launcher.log")); }

    TempDir directory_;
    TestKey key_;
};

using Values = std::vector<std::string>;

TEST_F(RegistryHint, ReadsTheNamedValue) {
    if (!hasRegistry()) {
        GTEST_SKIP() << "no registry on this system";
    }
    EXPECT_EQ(readRegistryValue(key_.hint("Home\\Path")), Values{"C:\\jre"});
    EXPECT_EQ(readRegistryValue(key_.hint("Home\\Path").substr(1)), Values{"C:\\jre"})
        << "the leading backslash is optional";
    EXPECT_EQ(logged(), "");
}

TEST_F(RegistryHint, FallsBackToTheDefaultValueOfTheWholePath) {
    if (!hasRegistry()) {
        GTEST_SKIP() << "no registry on this system";
    }
    EXPECT_EQ(readRegistryValue(key_.hint("Home\\Default")), Values{"C:\\default jre"});
}

TEST_F(RegistryHint, EmptyValueGivesNothingWithoutAWarning) {
    if (!hasRegistry()) {
        GTEST_SKIP() << "no registry on this system";
    }
    EXPECT_EQ(readRegistryValue(key_.hint("Home\\Empty")), Values{});
    EXPECT_EQ(logged(), "");
}

TEST_F(RegistryHint, MissingKeyOrValueGivesNothingAndAWarning) {
    for (const std::string rest : {"Home\\Missing", "Missing\\Key\\Value"}) {
        setLogFile(directory_.file(rest.substr(0, 4) + ".log"));
        EXPECT_EQ(readRegistryValue(key_.hint(rest)), Values{}) << rest;
        const std::string log = readFile(directory_.file(rest.substr(0, 4) + ".log"));
        EXPECT_NE(log.find("WARNING: Invalid platform hint: "), std::string::npos) << log;
    }
}

TEST(RegistryHintPath, EmptyPathGivesNothing) {
    EXPECT_EQ(readRegistryValue(""), Values{});
}

TEST(RegistryHintPath, UnknownHiveIsAnError) {
    const struct {
        const char* path;
        const char* expected;
    } cases[] = {
        {"\\hkey_local_machine\\Software\\Value",
         "Invalid hive (hkey_local_machine) specified in platform hint "
         "(\\hkey_local_machine\\Software\\Value)."},
        {"\\HKEY_CURRENT_USER",
         "Invalid hive () specified in platform hint (\\HKEY_CURRENT_USER)."},
        {"HKEY_NOWHERE\\Key\\Value",
         "Invalid hive (HKEY_NOWHERE) specified in platform hint (HKEY_NOWHERE\\Key\\Value)."},
    };
    for (const auto& c : cases) {
        try {
            readRegistryValue(c.path);
            ADD_FAILURE() << c.path;
        } catch (const LauncherException& e) {
            EXPECT_EQ(e.text(), c.expected);
        }
    }
}

}  // namespace
