#include "jvm/installed_jvm.h"

#include "base/path_text.h"
#include "jvmfile/jvm_tags.h"
#include "tagfile/tag_file.h"
#include "tagfile/text_utils.h"

std::string installedJvmFilePath(const std::string& directory) {
    return joinPath(directory, "jvm");
}

std::string completeInstalledJvmFile(const std::string& directory, bool temporary) {
    const std::string path = installedJvmFilePath(directory);
    TagFile jvm(path);
    setJvmTags(jvm, directory, path, temporary);
    jvm.write(path);
    return path;
}
