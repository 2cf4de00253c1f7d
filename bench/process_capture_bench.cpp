// Captures the output of a child that writes the same amount to standard
// output and to standard error, as the launch captures java's, and prints the
// best of three runs: seconds and MiB/s over both streams together.  The time
// includes the child's start and the runner's fixed 500 ms pause at the end.
//   process_capture_bench [bytes per stream, default 50 MiB]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/launcher_exception.h"
#include "launch/process_runner.h"
#include "programs/test_programs.h"

int main(int argc, char** argv) {
    const unsigned long bytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 50ul << 20;
    const std::string command = childCommand("--both-lines " + std::to_string(bytes));
    double best = 0;
    for (int run = 0; run < 3; ++run) {
        std::string output;
        std::string error;
        const auto start = std::chrono::steady_clock::now();
        try {
            ProcessRunner().run(command, "", false, true, true, &output, &error, false);
        } catch (const LauncherException& e) {
            std::fprintf(stderr, "%s\n", e.text().c_str());
            return 1;
        }
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        if (output.size() != bytes || error.size() != bytes) {
            std::fprintf(stderr, "captured %zu and %zu bytes of %lu\n", output.size(), error.size(),
                         bytes);
            return 1;
        }
        if (run == 0 || elapsed.count() < best) {
            best = elapsed.count();
        }
    }
    std::printf("%.3f s, %.1f MiB/s\n", best, 2.0 * bytes / (1 << 20) / best);
    return 0;
}
