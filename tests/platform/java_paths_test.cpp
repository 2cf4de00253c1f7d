#include <gtest/gtest.h>

#include <filesystem>

#include "platform/environment.h"
#include "platform/java_paths.h"
#include "platform/system.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// A directory of the test's own with a file "java" of these permissions.
std::string javaDirectory(const TempDir& directory, const std::string& name, fs::perms perms) {
    const std::string path = directory.file(name);
    fs::create_directory(path);
    writeFile(path + platform::pathSeparator() + "java", "java");
    fs::permissions(path + platform::pathSeparator() + "java", perms);
    return path;
}

TEST(JavaProgramDirectories, AbsoluteSearchPathDirectoriesWithAnExecutableJava) {
    TempDir directory;
    const std::string runnable = javaDirectory(directory, "runnable", fs::perms::owner_all);
    const std::string plain = javaDirectory(directory, "plain", fs::perms::owner_read);
    const std::string again = javaDirectory(directory, "again", fs::perms::owner_all);
    // "runnable" names a directory with a java only from within the test's.
    const fs::path before = fs::current_path();
    fs::current_path(directory.path());
    platform::setEnvironment("PATH", "::" + plain + ":runnable:" + runnable + ":" +
                                         directory.file("missing") + ":" + again + ":");
    const std::vector<std::string> expected = platform::pathSeparator() == '/'
                                                  ? std::vector<std::string>{runnable, again}
                                                  : std::vector<std::string>{};
    EXPECT_EQ(platform::javaProgramDirectories(), expected);
    fs::current_path(before);
}

}  // namespace
