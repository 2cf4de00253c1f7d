#include "payload/launcher_file.h"

#include "instructions/instruction_interpreter.h"

// Placeholder until the file index reader lands: the index is empty.
LauncherFile::LauncherFile() = default;
LauncherFile::~LauncherFile() = default;

void LauncherFile::load(bool) { indexLoaded_ = true; }

const FileIndexEntry* LauncherFile::entryAt(int) const { return nullptr; }
const FileIndexEntry* LauncherFile::entryWithId(int32_t) const { return nullptr; }

void LauncherFile::useInstructions(std::unique_ptr<TagFile>) {}

LauncherFile& launcherFile() {
    static LauncherFile file;
    return file;
}

int readLauncherKind(const std::string&) { return -1; }
