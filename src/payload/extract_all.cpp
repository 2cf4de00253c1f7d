#include "payload/extraction.h"
#include "payload/launcher_file.h"
#include "payload/workspace.h"
#include "tagfile/tag_file.h"

void extractAll() {
    extractAll(launcherFile());
}

void extractAll(const LauncherFile& file) {
    // Every name is checked before the first file is written.
    for (int i = 0; i < file.entryCount(); ++i) {
        checkEntryName(*file.entryAt(i));
    }
    TagFile input;
    input.setValue("ACTION", "RUN_INSTRUCTIONS");
    for (int i = 0; i < file.entryCount(); ++i) {
        const FileIndexEntry& entry = *file.entryAt(i);
        switch (entry.fileType) {
            case kFileInstructions:
                input.setValue("INSTRUCTIONS", entry.name);
                break;
            case kFileLaunchScript:
                input.setValue("LAUNCHSCRIPT", entry.name);
                break;
            case kFileJvmMessage:
                input.setValue("JVMMESSAGE", entry.name);
                break;
            case kFileJvm:
                input.addValue("JVM", entry.name);
                break;
            default:
                break;
        }
        extract(entry, std::string());
    }
    input.write("input.tag");
}
