#include "jvmfile/jvm_match.h"

#include "jvmfile/jvm_tags.h"
#include "payload/workspace.h"
#include "tagfile/tag_file.h"

std::string JvmMatch::writeJvmFile() {
    const std::string path = createWorkspaceFile();
    setJvmTags(tags_, jvmHome_, path, jvmTemp_);
    tags_.write(path);
    return path;
}
