// The child program of the process runner's tests.  Its arguments are
// actions, done in order:
//   --out TEXT, --err TEXT   write TEXT in one piece to standard output or
//                            error; \0, \n and \\ stand for a NUL byte, a
//                            line feed and a backslash
//   --out-lines BYTES, --err-lines BYTES
//                            write BYTES bytes of numbered lines (tag 'o' or
//                            'e', numbered_lines.h) in 64 KiB pieces
//   --both-lines BYTES       the same on both streams, piece by piece in turn
//   --sleep MILLISECONDS
//   --ticks MILLISECONDS     write "tick" and a line feed to standard output
//                            every 100 ms for that long, and stop early when
//                            a write fails
//   --exit CODE              end at once with the exit code
//   --touch NAME             create an empty file NAME (relative: in the
//                            current directory)
//   --env NAME               write the value of the environment variable NAME
//                            and a line feed to standard output
//   --count-pipes NAME       write into the file NAME the number of pipe ends
//                            this program holds besides its standard streams
//   --echo-args              write every later argument as <argument> and a
//                            line feed to standard output, and end
//   --background             start a copy of this program with the later
//                            arguments, which keeps this program's standard
//                            streams, and end at once
// Without --exit the exit code is 0; a malformed action ends it with 99.
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "numbered_lines.h"
#include "program_support.h"

namespace {

constexpr std::size_t kPieceSize = 64 * 1024;
constexpr int kMalformed = 99;
constexpr unsigned kTickMilliseconds = 100;

std::string unescaped(const std::string& text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next == '0' || next == 'n' || next == '\\') {
                bytes += next == '0' ? '\0' : next == 'n' ? '\n' : '\\';
                ++i;
                continue;
            }
        }
        bytes += text[i];
    }
    return bytes;
}

// Writes `size` bytes of numbered lines to each of the streams, a piece to
// each in turn.
void writeLines(const std::vector<int>& streams, std::size_t size) {
    for (std::size_t position = 0; position < size; position += kPieceSize) {
        const std::size_t piece = size - position < kPieceSize ? size - position : kPieceSize;
        for (const int stream : streams) {
            writeStream(stream, numberedLines(stream == 1 ? 'o' : 'e', piece, position));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& action = arguments[i];
        if (action == "--echo-args") {
            for (std::size_t j = i + 1; j < arguments.size(); ++j) {
                writeStream(1, "<" + arguments[j] + ">\n");
            }
            return 0;
        }
        if (action == "--background") {
            return startCopy({arguments.begin() + i + 1, arguments.end()}) ? 0 : kMalformed;
        }
        if (i + 1 == arguments.size()) {
            return kMalformed;
        }
        const std::string& value = arguments[++i];
        const unsigned long number = std::strtoul(value.c_str(), nullptr, 10);
        if (action == "--out" || action == "--err") {
            writeStream(action == "--out" ? 1 : 2, unescaped(value));
        } else if (action == "--out-lines" || action == "--err-lines") {
            writeLines({action == "--out-lines" ? 1 : 2}, number);
        } else if (action == "--both-lines") {
            writeLines({1, 2}, number);
        } else if (action == "--sleep") {
            sleepFor(static_cast<unsigned>(number));
        } else if (action == "--ticks") {
            const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(number);
            while (std::chrono::steady_clock::now() < end && writeStream(1, "tick\n")) {
                sleepFor(kTickMilliseconds);
            }
        } else if (action == "--exit") {
            return static_cast<int>(number);
        } else if (action == "--touch") {
            std::ofstream(value, std::ios::binary);
        } else if (action == "--count-pipes") {
            std::ofstream(value, std::ios::binary) << pipesBesideStandardStreams();
        } else if (action == "--env") {
            const char* variable = std::getenv(value.c_str());
            writeStream(1, std::string(variable == nullptr ? "" : variable) + "\n");
        } else {
            return kMalformed;
        }
    }
    return 0;
}
