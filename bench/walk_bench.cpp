// Scans a tree with the drive scan's finder and prints the time it took and
// the number of files it visited.
//   walk_bench <directory> [name...]
#include <chrono>
#include <cstdio>
#include <memory>

#include "app/argument_list.h"
#include "base/facade.h"
#include "base/launcher.h"
#include "base/launcher_exception.h"
#include "jvm/drive_file_finder.h"

namespace {

// Counts the progress steps: one per hundred files.
class CountingLauncher : public Launcher {
public:
    explicit CountingLauncher(const ArgumentList& arguments, long& steps)
        : Launcher(arguments), steps_(steps) {}
    bool initialize(void*, int) override { return true; }
    int run() override { return 0; }
    void setStatus(const std::string&) override {}
    void setStatusDetail(const std::string&, const std::string&) override {}
    void stepProgress(int steps) override { steps_ += steps; }
    void setProgress(int) override {}
    void showWindow() override {}
    void hideWindow(short) override {}
    bool isWindowVisible() override { return false; }
    void showMessage(const std::string&) override {}
    std::string getTitle() override { return std::string(); }
    void setTitle(const std::string&) override {}
    std::string browseForDirectory() override { return std::string(); }

private:
    long& steps_;
};

class CountingHandler : public FileFoundHandler {
public:
    bool onFileFound(const std::string&) override {
        ++found;
        return false;
    }
    long found = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <directory> [name...]\n", argv[0]);
        return 2;
    }
    std::vector<std::string> names(argv + 2, argv + argc);
    if (names.empty()) {
        names = {"java", "java.exe"};
    }
    const ArgumentList arguments({argv[0]});
    long steps = 0;
    setCurrentLauncher(std::make_unique<CountingLauncher>(arguments, steps));
    CountingHandler handler;
    const auto start = std::chrono::steady_clock::now();
    try {
        DriveFileFinder finder(names, handler);
        finder.walk(argv[1]);
    } catch (const LauncherException& e) {
        std::fprintf(stderr, "%s\n", e.text().c_str());
        return 1;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("%.6f %ld %ld\n", elapsed.count(), steps * 100, handler.found);
    setCurrentLauncher(nullptr);
    return 0;
}
