// A stand-in JVM installer.  Started in a directory, it installs a tiny JVM
// there: bin/java (bin\java.exe), a copy of the stand-in java program built
// beside it (its path is compiled in as TEST_JAVA_PATH), the properties file
// that program answers from (bin/java.properties), and the JVM file "jvm"
// describing the tree, whose JVM_PROPERTIES match those answers.  Built with
// INSTALL_NOTHING set to 1 it writes nothing at all.  It reports on standard output
// and ends with exit code 0, or 1 when the installation fails.  When the
// environment variable TEST_INSTALLER_LINGER holds a number, it first waits
// that many milliseconds, so that a test can interrupt the launcher meanwhile.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "program_support.h"

namespace fs = std::filesystem;

namespace {

constexpr bool kWindows = fs::path::preferred_separator == '\\';

// The answers of the installed java, and the JVM file's JVM_PROPERTIES.
constexpr const char* kProperties[] = {"java.vendor=Stand-in Vendor", "java.version=1.5.0_06"};

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::string jvmFile(const std::string& jvmExe) {
    std::string text = "DESC:  Stand-in JVM\n";
    text += "JVM_EXE:  " + jvmExe + "\n";
    text += "CLASSPATH:  \"-cp \"\n";
    text += std::string("CLASSPATH_SEPARATOR:  ") + (kWindows ? ";" : ":") + "\n";
    text += "SYSTEM:  -D\n";
    text += "SYSTEM_SEPARATOR:  =\n";
    text += "JVM_PROPERTIES:\n";
    for (const char* property : kProperties) {
        text += std::string("  ") + property + "\n";
    }
    return text + "/:\n";
}

int install() {
    const fs::path java = fs::path(TEST_JAVA_PATH).filename();
    const fs::path bin = fs::current_path() / "bin";
    std::error_code error;
    fs::create_directories(bin, error);
    fs::copy_file(TEST_JAVA_PATH, bin / java, fs::copy_options::overwrite_existing, error);
    if (error) {
        writeStream(2, "Cannot install " + (bin / java).string() + ": " + error.message() + "\n");
        return 1;
    }
    std::string properties;
    for (const char* property : kProperties) {
        properties += std::string(property) + "\n";
    }
    writeText(fs::path(bin / java).replace_extension(".properties"), properties);
    writeText("jvm", jvmFile((fs::path("bin") / java).string()));
    writeStream(1, "Installed the stand-in JVM in " + fs::current_path().string() + "\n");
    return 0;
}

}  // namespace

int main() {
    if (const char* linger = std::getenv("TEST_INSTALLER_LINGER")) {
        sleepFor(static_cast<unsigned>(std::strtoul(linger, nullptr, 10)));
    }
    if (INSTALL_NOTHING) {
        writeStream(1, "This installer installs nothing.\n");
        return 0;
    }
    return install();
}
