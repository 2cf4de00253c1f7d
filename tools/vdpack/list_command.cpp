#include "vdpack/list_command.h"

#include "base/launcher_exception.h"
#include "base/messages.h"
#include "base/run_state.h"
#include "payload/launcher_file.h"
#include "payload/launcher_trailer.h"
#include "vdpack/file_type_names.h"
#include "vdpack/pack_error.h"

namespace {

void printEntry(int position, const FileIndexEntry& entry, std::ostream& out) {
    out << position << ": " << fileTypeName(entry.fileType) << " id=" << entry.fileId
        << " length=" << entry.length << " offset=" << entry.offset;
    if (entry.compressed) {
        out << " decompressed-files=" << entry.decompressedFileCount
            << " decompressed-size=" << entry.decompressedSize;
    }
    out << " name=" << entry.name << "\n";
}

}  // namespace

void listLauncherFile(const std::string& path, std::ostream& out) {
    // The launcher reads the file that the run state names.  A LauncherFile
    // of its own, so that one process can list several files.
    runState().launcherFileName = path;
    LauncherFile file;
    try {
        file.load(false);
    } catch (const LauncherException& e) {
        throw PackError(messageForCode(kErrLoadIndex) + e.text());
    }
    const TrailerInfo trailer = readTrailerInfo(path);
    if (!trailer.identified) {
        throw PackError("'" + path +
                        "' is not a launcher file: it holds no launcher "
                        "identification value");
    }
    out << "launcher kind: " << trailer.launcherKind << "\n"
        << "bytes after trailer: " << -trailer.trailerEnd << "\n"
        << "files: " << file.entryCount() << "\n";
    for (int position = 0; position < file.entryCount(); ++position) {
        printEntry(position, *file.entryAt(position), out);
    }
}
