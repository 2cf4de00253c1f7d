#include "jvmfile/jvm_tags.h"

void setJvmTags(TagFile& tags, const std::string& jvmHome, const std::string& jvmFile,
                bool temporary) {
    tags.setValue("JVM_HOME", jvmHome);
    tags.setValue("JVM_FILE", jvmFile);
    tags.setBool("JVM_TEMP", temporary);
}
