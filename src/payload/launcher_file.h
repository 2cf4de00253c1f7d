#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tagfile/tag_file.h"

class InstructionInterpreter;
class LaunchScript;

// Types of the embedded files.  0, 1, 2 and 8 are tag files, parsed in place.
enum FileType : int32_t {
    kFileInstructions = 0,
    kFileJvm = 1,
    kFileLaunchScript = 2,
    kFileArchive = 3,
    kFileJvmInstaller = 4,
    kFileVerifyArchive = 5,
    kFileApplicationArchive = 6,
    kFileEmbeddedLauncher = 7,
    kFileJvmMessage = 8,
};
constexpr int32_t kLastFileType = kFileJvmMessage;

bool isTagFileType(int32_t fileType);

constexpr uint32_t kLauncherIdentification = 0xCA82CA82u;

// One entry of the file index.
struct FileIndexEntry {
    int32_t fileType = 0;
    std::unique_ptr<TagFile> tagFile;  // parsed for the tag-file types only
    int32_t fileId = -1;
    int32_t length = 0;
    int32_t offset = 0;
    std::string name;
    bool compressed = false;
    int32_t decompressedFileCount = 0;
    int32_t decompressedSize = 0;
};

// The launcher kind byte of a launcher file (0 to 255), or -1 when it cannot
// be read.  Cached for the running launcher file.
int readLauncherKind(const std::string& fileName);

// Where the trailer of the running launcher file ends, relative to the end of
// the file, as the last scan of that file found it (0 before any scan).
int32_t launcherTrailerEnd();

// The running launcher file: its index, the embedded tag files and the
// objects built from them.  One process-wide object (launcherFile()).
class LauncherFile {
public:
    LauncherFile();
    ~LauncherFile();
    LauncherFile(const LauncherFile&) = delete;
    LauncherFile& operator=(const LauncherFile&) = delete;

    // Reads the trailer and the index of the running launcher file (at most
    // once per process); with loadTagFiles also parses the embedded tag files
    // (at most once, also when an earlier load read the index without them).
    void load(bool loadTagFiles);
    bool indexLoaded() const { return indexLoaded_; }

    int entryCount() const { return static_cast<int>(entries_.size()); }
    const FileIndexEntry* entryAt(int position) const;
    const FileIndexEntry* entryWithId(int32_t fileId) const;

    // The instruction script: the first embedded type-0 file, or the file an
    // input file named instead, run with the launch script in effect.
    InstructionInterpreter* instructions();
    // Makes a tag file loaded from disk the instruction script.
    void useInstructions(std::unique_ptr<TagFile> instructions);

    // The launch script: the first embedded one (type 2), or the file an
    // input file named instead.
    LaunchScript* launchScript() const {
        return namedLaunchScript_ ? namedLaunchScript_.get() : embeddedLaunchScript_.get();
    }
    void useLaunchScript(std::unique_ptr<TagFile> launchScript);
    // The JVM files: the embedded ones (type 1) in index order, or, once an
    // input file named JVM files, those instead.  The JvmFile objects built
    // from them will take their place.
    const std::vector<const TagFile*>& jvmTagFiles() const {
        return jvmFilesGiven_ ? namedJvmFiles_ : jvmTagFiles_;
    }
    void useJvmFilesGiven() { jvmFilesGiven_ = true; }
    void addJvmFile(std::unique_ptr<TagFile> jvmFile);
    // The JVM message: the last embedded one (type 8), or the file an input
    // file named instead.  The JVM message object built from it will take
    // its place.
    const TagFile* jvmMessageTags() const {
        return namedJvmMessage_ != nullptr ? namedJvmMessage_ : jvmMessageTags_;
    }
    void useJvmMessage(std::unique_ptr<TagFile> jvmMessage);

private:
    void readIndex(std::FILE* stream);
    void logIndex() const;
    void loadTagFiles(std::FILE* stream);
    void buildObject(const FileIndexEntry& entry);
    void forgetEmbeddedTagFiles();

    std::vector<std::unique_ptr<FileIndexEntry>> entries_;
    bool indexLoaded_ = false;
    bool tagFilesLoaded_ = false;
    std::vector<std::unique_ptr<TagFile>> loadedFiles_;  // files an input file named
    const TagFile* namedInstructions_ = nullptr;         // from an input file
    const TagFile* embeddedInstructions_ = nullptr;      // from the first type 0
    // Built for the instructions and the launch script in effect when asked for.
    std::unique_ptr<InstructionInterpreter> interpreter_;
    std::unique_ptr<LaunchScript> embeddedLaunchScript_;
    std::unique_ptr<LaunchScript> namedLaunchScript_;
    std::vector<const TagFile*> jvmTagFiles_;
    bool jvmFilesGiven_ = false;
    std::vector<const TagFile*> namedJvmFiles_;
    const TagFile* jvmMessageTags_ = nullptr;
    const TagFile* namedJvmMessage_ = nullptr;
};

LauncherFile& launcherFile();
