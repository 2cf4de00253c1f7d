#include "launch/side_files.h"

#include "base/run_state.h"
#include "tagfile/tag_file_source.h"
#include "tagfile/text_utils.h"

std::string sideFilePath(const std::string& originPath, const std::string& suffix) {
    const size_t dot = originPath.rfind('.');
    const size_t separator = originPath.find_last_of("/\\");
    if (dot != std::string::npos && separator != std::string::npos && separator < dot) {
        return originPath.substr(0, dot) + suffix;
    }
    return originPath + suffix;
}

std::vector<std::string> sideFileLines(const std::string& suffix) {
    std::vector<std::string> lines;
    std::string text;
    if (!readTagFileText(sideFilePath(originalLauncherFileName(), suffix), text)) {
        return lines;
    }
    size_t position = 0;
    std::string line;
    while (readLine(text, position, line)) {
        lines.push_back(line);
        line.clear();
    }
    return lines;
}
