#include <vector>

#include "base/launcher_exception.h"
#include "payload/entry_name.h"
#include "payload/extraction.h"
#include "payload/launcher_file.h"
#include "payload/workspace.h"
#include "platform/file_copy.h"
#include "platform/file_system.h"
#include "tagfile/tag_file.h"

namespace {

const char* const kNothingExtracted = "; nothing was extracted.";

// The files written so far, removed again unless all of them were.
class WrittenFiles {
public:
    WrittenFiles() = default;
    WrittenFiles(const WrittenFiles&) = delete;
    WrittenFiles& operator=(const WrittenFiles&) = delete;
    ~WrittenFiles() {
        if (!kept_) {
            for (const std::string& path : paths_) {
                platform::deleteFile(path);
            }
        }
    }
    void add(const std::string& path) { paths_.push_back(path); }
    void keep() { kept_ = true; }

private:
    std::vector<std::string> paths_;
    bool kept_ = false;
};

// Everything that can be known before the first byte is written: the names,
// the entries' bytes, and the current directory.
void checkBeforeWriting(const LauncherFile& file) {
    std::vector<std::string> names;
    for (int i = 0; i < file.entryCount(); ++i) {
        checkEntryName(*file.entryAt(i));
        names.push_back(file.entryAt(i)->name);
    }
    const std::string fault = entryNameSetFault(names);
    if (!fault.empty()) {
        throw LauncherException("The embedded files cannot be extracted side by side: " + fault +
                                kNothingExtracted);
    }
    if (file.entryCount() > 0) {
        const platform::RawFile launcher = openLauncherFile();
        for (int i = 0; i < file.entryCount(); ++i) {
            checkEntryBytes(launcher, *file.entryAt(i));
        }
    }
    names.push_back(kExtractedInputFileName);
    for (const std::string& name : names) {
        platform::FileAttributes attributes;
        if (platform::readFileAttributes(name, attributes)) {
            throw LauncherException("The current directory holds a file named \"" + name + "\"" +
                                    kNothingExtracted);
        }
    }
}

}  // namespace

void extractAll() {
    extractAll(launcherFile());
}

void extractAll(const LauncherFile& file) {
    checkBeforeWriting(file);
    TagFile input;
    input.setValue("ACTION", "RUN_INSTRUCTIONS");
    WrittenFiles written;
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
        written.add(extract(entry, std::string()));
    }
    input.write(kExtractedInputFileName, TagFile::WriteMode::kCreateNew);
    written.keep();
}
