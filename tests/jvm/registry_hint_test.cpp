#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

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

// A key of the test's own under Software of a hive, in both registry views,
// removed with everything below it at the end.
class TestKey {
public:
    explicit TestKey(const std::string& hive = "HKEY_CURRENT_USER")
        : hive_(hive),
          name_("LauncherRegistryTest" +
                std::to_string(std::chrono::steady_clock::now().time_since_epoch().count())) {}
    ~TestKey() {
#ifdef _WIN32
        for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
            HKEY software = nullptr;
            if (RegOpenKeyExA(root(), "Software", 0, KEY_ALL_ACCESS | view, &software) ==
                ERROR_SUCCESS) {
                RegDeleteTreeA(software, name_.c_str());
                RegCloseKey(software);
            }
        }
#endif
    }
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;

    // Sets a string value (the empty name: the key's default value) of a key
    // below the test's key, in the 64-bit view or with view32 in the 32-bit one.
    void set(const std::string& subKey, const std::string& name, const std::string& value,
             bool view32 = false) {
#ifdef _WIN32
        HKEY key = nullptr;
        const REGSAM view = view32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
        ASSERT_EQ(RegCreateKeyExA(root(), ("Software\\" + name_ + "\\" + subKey).c_str(), 0,
                                  nullptr, 0, KEY_WRITE | view, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1)),
                  ERROR_SUCCESS);
        RegCloseKey(key);
#else
        (void)subKey, (void)name, (void)value, (void)view32;
#endif
    }

    // The hint path of a value below the test's key.
    std::string hint(const std::string& rest) const {
        return "\\" + hive_ + "\\Software\\" + name_ + "\\" + rest;
    }

private:
#ifdef _WIN32
    HKEY root() const {
        return hive_ == "HKEY_LOCAL_MACHINE" ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    }
#endif

    std::string hive_;
    std::string name_;
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

// Vendors' builds under versioned subkeys, as installers register them.
class RegistryHintWildcard : public RegistryHint {
protected:
    void SetUp() override {
        RegistryHint::SetUp();
        if (!hasRegistry()) {
            GTEST_SKIP() << "no registry on this system";
        }
        for (const std::string version : {"8.0.402", "17.0.12", "jre-x", "21", "21.0.4"}) {
            key_.set("JDK\\" + version + "\\hotspot\\MSI", "Path", "C:\\jdk-" + version);
        }
        // A build without the value, and a second key naming a home already seen.
        key_.set("JDK\\11.0.1\\hotspot", "Other", "C:\\other");
        key_.set("JDK\\17.0.2\\hotspot\\MSI", "Path", "C:\\jdk-21");
    }
};

TEST_F(RegistryHintWildcard, TriesEverySubkeyNewestVersionFirstAndEachHomeOnce) {
    EXPECT_EQ(readRegistryValue(key_.hint("JDK\\*\\hotspot\\MSI\\Path")),
              (Values{"C:\\jdk-21.0.4", "C:\\jdk-21", "C:\\jdk-17.0.12", "C:\\jdk-8.0.402",
                      "C:\\jdk-jre-x"}));
    EXPECT_EQ(logged(), "") << "a subkey without the value is passed over quietly";
}

TEST_F(RegistryHintWildcard, SeveralWildcardsAndTheDefaultValue) {
    key_.set("Vendor\\17\\1\\Home", "", "C:\\vendor 17.1");
    key_.set("Vendor\\21\\1\\Home", "", "C:\\vendor 21.1");
    key_.set("Vendor\\21\\2\\Home", "", "C:\\vendor 21.2");
    EXPECT_EQ(readRegistryValue(key_.hint("Vendor\\*\\*\\Home")),
              (Values{"C:\\vendor 21.2", "C:\\vendor 21.1", "C:\\vendor 17.1"}));
}

TEST_F(RegistryHintWildcard, ASubkeyNamedStarIsOnlyAName) {
    key_.set("Star\\*", "Path", "C:\\star");
    key_.set("Star\\9", "Path", "C:\\nine");
    EXPECT_EQ(readRegistryValue(key_.hint("Star\\*\\Path")), (Values{"C:\\nine", "C:\\star"}));
}

TEST_F(RegistryHintWildcard, NothingToReadGivesAWarning) {
    for (const std::string rest :
         {"JDK\\*\\hotspot\\Missing\\Path", "JDK\\21\\hotspot\\MSI\\*\\Path", "None\\*\\Path"}) {
        setLogFile(directory_.file("wildcard.log"));
        EXPECT_EQ(readRegistryValue(key_.hint(rest)), Values{}) << rest;
        EXPECT_NE(
            readFile(directory_.file("wildcard.log")).find("WARNING: Invalid platform hint: "),
            std::string::npos)
            << rest;
        setLogFile("");
        std::remove(directory_.file("wildcard.log").c_str());
    }
}

// HKEY_LOCAL_MACHINE\Software is the one that 32-bit programs see apart.
TEST(RegistryHintViews, ReadsThe64BitViewAndThenThe32BitOne) {
    if (!hasRegistry()) {
        GTEST_SKIP() << "no registry on this system";
    }
    TestKey key("HKEY_LOCAL_MACHINE");
    key.set("JDK\\17", "Path", "C:\\jdk64-17");
    key.set("JDK\\11", "Path", "C:\\both");
    key.set("JDK\\21", "Path", "C:\\jdk32-21", true);
    key.set("JDK\\11", "Path", "C:\\both", true);
    key.set("Only32", "Path", "C:\\only32", true);
    EXPECT_EQ(readRegistryValue(key.hint("JDK\\*\\Path")),
              (Values{"C:\\jdk64-17", "C:\\both", "C:\\jdk32-21"}));
    EXPECT_EQ(readRegistryValue(key.hint("Only32\\Path")), Values{"C:\\only32"});
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
