#include "payload/launcher_file.h"

#include <atomic>

#include "instructions/instruction_interpreter.h"
#include "launch/launch_script.h"
#include "launcher/facade.h"
#include "launcher/file_pointer.h"
#include "launcher/launcher_exception.h"
#include "launcher/log.h"
#include "launcher/messages.h"
#include "launcher/run_state.h"
#include "payload/big_endian.h"
#include "payload/file_index_entry.h"
#include "payload/launcher_trailer.h"
#include "tagfile/tag_file_source.h"

namespace {

// Read by the progress window's thread and by the run's thread; each is
// written with one store of a final value.
std::atomic<int32_t> trailerEnd{0};
std::atomic<int> cachedLauncherKind{-1};

// Catalog messages put in front of a failure to build an object from an
// embedded tag file.
constexpr int kErrorLoadingInstructions = 9;
constexpr int kErrorLoadingLaunchScript = 10;
constexpr int kErrorLoadingJvmFile = 11;

int buildFailureMessage(int32_t fileType) {
    switch (fileType) {
        case kFileLaunchScript:
            return kErrorLoadingLaunchScript;
        case kFileJvm:
            return kErrorLoadingJvmFile;
        default:
            return kErrorLoadingInstructions;
    }
}

}  // namespace

bool isTagFileType(int32_t fileType) {
    return fileType == kFileInstructions || fileType == kFileJvm || fileType == kFileLaunchScript ||
           fileType == kFileJvmMessage;
}

int readLauncherKind(const std::string& fileName) {
    const bool runningFile = fileName == launcherFileName();
    if (runningFile) {
        const int cached = cachedLauncherKind.load();
        if (cached != -1) {
            return cached;
        }
    }
    const TrailerInfo trailer = readTrailerInfo(fileName);
    if (runningFile) {
        trailerEnd.store(trailer.trailerEnd);
        if (trailer.launcherKind != -1) {
            cachedLauncherKind.store(trailer.launcherKind);
        }
    }
    return trailer.launcherKind;
}

int32_t launcherTrailerEnd() {
    return trailerEnd.load();
}

LauncherFile::LauncherFile() = default;
LauncherFile::~LauncherFile() = default;

void LauncherFile::load(bool withTagFiles) {
    if (indexLoaded_ && (tagFilesLoaded_ || !withTagFiles)) {
        return;
    }
    const FilePointer stream(std::fopen(launcherFileName().c_str(), "rb"));
    if (!stream) {
        throw LauncherException("Cannot open launcher file.");
    }
    if (!indexLoaded_) {
        // A failed earlier load left what it had read; start over.
        forgetEmbeddedTagFiles();
        entries_.clear();
        readIndex(stream.get());
        logIndex();
    }
    if (withTagFiles) {
        loadTagFiles(stream.get());
    }
    indexLoaded_ = true;
}

void LauncherFile::readIndex(std::FILE* stream) {
    // The same scan as for the launcher kind, so bytes appended after the
    // trailer never hide the index.
    const int32_t end = locateTrailerEnd(stream).value_or(0);
    trailerEnd.store(end);
    if (!seekFromEnd(stream, end - 8LL)) {
        throw LauncherException("Invalid launcher format.");
    }
    const int32_t indexOffset = readBigEndian32(stream, "Unable to read file index offset.");
    const uint32_t identification = static_cast<uint32_t>(
        readBigEndian32(stream, "Unable to read launcher identification value."));
    if (identification != kLauncherIdentification) {
        return;  // not a launcher file: no entries
    }
    if (indexOffset < 0 || std::fseek(stream, indexOffset, SEEK_SET) != 0) {
        throw LauncherException("Invalid file index offset.");
    }
    const int32_t fileCount = readBigEndian32(stream, "Unable to read the file count.");
    // Entry by entry: a bogus count ends at the end of the file, having
    // allocated only for the entries that were really there.
    for (int32_t i = 0; i < fileCount; ++i) {
        entries_.push_back(readIndexEntry(stream));
    }
}

void LauncherFile::logIndex() const {
    if (logFileName().empty()) {
        return;
    }
    for (const auto& entry : entries_) {
        writeLog(entryLogText(*entry), kLogInfo);
    }
}

void LauncherFile::loadTagFiles(std::FILE* stream) {
    // A failed earlier parse left what it had built; start over.
    forgetEmbeddedTagFiles();
    for (const auto& entry : entries_) {
        if (!isTagFileType(entry->fileType)) {
            continue;
        }
        // Only the entry's own bytes: a last line without its line feed, or a
        // list without its completer, ends with them.  A negative length
        // holds nothing.
        std::string text;
        if (!readStreamRegion(stream, entry->offset, entry->length, text)) {
            throw LauncherException("Unable to read tag file.");
        }
        entry->tagFile = std::make_unique<TagFile>();
        entry->tagFile->parse(text, entry->name);
        try {
            buildObject(*entry);
        } catch (const LauncherException& e) {
            throw LauncherException(loadMessage(buildFailureMessage(entry->fileType)) + e.text());
        }
    }
    tagFilesLoaded_ = true;
}

void LauncherFile::buildObject(const FileIndexEntry& entry) {
    const TagFile& tags = *entry.tagFile;
    switch (entry.fileType) {
        case kFileInstructions:
            if (namedInstructions_ == nullptr && embeddedInstructions_ == nullptr) {
                embeddedInstructions_ = &tags;
            }
            break;
        case kFileJvm:
            // The JvmFile object is built here once it exists.  Only while
            // the tag files do not count as loaded yet, and only when no
            // input file named the JVM files.
            if (!tagFilesLoaded_ && !jvmFilesGiven_) {
                jvmTagFiles_.push_back(&tags);
            }
            break;
        case kFileLaunchScript:
            if (launchScript() == nullptr) {
                embeddedLaunchScript_ = std::make_unique<LaunchScript>(tags);
                applyProductTitle();
            }
            break;
        case kFileJvmMessage:
            // The JVM message object is built here once it exists.
            jvmMessageTags_ = &tags;
            break;
        default:
            break;
    }
}

void LauncherFile::forgetEmbeddedTagFiles() {
    if (interpreter_ &&
        (&interpreter_->script() == embeddedInstructions_ ||
         (embeddedLaunchScript_ && interpreter_->launchScript() == embeddedLaunchScript_.get()))) {
        interpreter_.reset();
    }
    embeddedInstructions_ = nullptr;
    embeddedLaunchScript_.reset();
    jvmTagFiles_.clear();
    jvmMessageTags_ = nullptr;
    for (const auto& entry : entries_) {
        entry->tagFile.reset();
    }
}

const FileIndexEntry* LauncherFile::entryAt(int position) const {
    if (position < 0 || position >= entryCount()) {
        return nullptr;
    }
    return entries_[static_cast<size_t>(position)].get();
}

const FileIndexEntry* LauncherFile::entryWithId(int32_t fileId) const {
    for (const auto& entry : entries_) {
        if (entry->fileId == fileId) {
            return entry.get();
        }
    }
    return nullptr;
}

InstructionInterpreter* LauncherFile::instructions() {
    const TagFile* tags =
        namedInstructions_ != nullptr ? namedInstructions_ : embeddedInstructions_;
    if (tags == nullptr) {
        return nullptr;
    }
    if (!interpreter_ || &interpreter_->script() != tags ||
        interpreter_->launchScript() != launchScript()) {
        interpreter_ = std::make_unique<InstructionInterpreter>(*tags, launchScript());
    }
    return interpreter_.get();
}

void LauncherFile::useInstructions(std::unique_ptr<TagFile> instructions) {
    loadedFiles_.push_back(std::move(instructions));
    namedInstructions_ = loadedFiles_.back().get();
}

void LauncherFile::useLaunchScript(std::unique_ptr<TagFile> launchScript) {
    loadedFiles_.push_back(std::move(launchScript));
    interpreter_.reset();  // it may refer to the script replaced here
    namedLaunchScript_ = std::make_unique<LaunchScript>(*loadedFiles_.back());
}

void LauncherFile::addJvmFile(std::unique_ptr<TagFile> jvmFile) {
    loadedFiles_.push_back(std::move(jvmFile));
    namedJvmFiles_.push_back(loadedFiles_.back().get());
}

void LauncherFile::useJvmMessage(std::unique_ptr<TagFile> jvmMessage) {
    loadedFiles_.push_back(std::move(jvmMessage));
    namedJvmMessage_ = loadedFiles_.back().get();
}

LauncherFile& launcherFile() {
    static LauncherFile file;
    return file;
}
