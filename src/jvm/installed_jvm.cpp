#include "jvm/installed_jvm.h"

#include "tagfile/tag_file.h"
#include "tagfile/text_utils.h"

std::string installedJvmFilePath(const std::string& directory) {
    return joinPath(directory, "jvm");
}

std::string completeInstalledJvmFile(const std::string& directory, bool temporary) {
    const std::string path = installedJvmFilePath(directory);
    TagFile jvm(path);
    jvm.setJvmTags(directory, path, temporary);
    jvm.write(path);
    return path;
}
