#pragma once
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/recursive_mutex.h"

struct FileIndexEntry;
class LauncherFile;

// The workspace: "LRE" directories and files in the temp directory, removed
// at exit, and the extraction of embedded files into it.

void setTempDirectory(const std::string& directory);  // "-vd:tempdir"
// The temp directory, with its trailing separator; throws message 36 when it
// does not exist.
std::string tempDirectory();

// A new directory that this process created, registered for removal.
// Throws LauncherException when no unique name can be had or no directory
// can be made.
std::string createWorkspaceDirectory();  // no trailing separator
// A new empty file, registered for removal; throws like the directory.
std::string createWorkspaceFile();
// Refuses every later request for a workspace directory or file (it throws
// LauncherException), for a process that is being ended.
void closeWorkspace();

// The cleanup lists, in creation order.  Taking a path off a list (the first
// equal path, compared without regard to case) leaves the file system alone.
// Both lists are shared with the thread that ends the session: whoever uses
// the references holds cleanupListsMutex(), and the cleanup holds it for its
// whole run.
platform::RecursiveMutex& cleanupListsMutex();
std::vector<std::string>& directoryCleanupList();
std::vector<std::string>& fileCleanupList();
void forgetWorkspaceDirectory(const std::string& path);
void forgetWorkspaceFile(const std::string& path);

// Whether the directory's disk has room for the bytes (an unsigned count)
// plus the extra clusters: 1 for a partly used last cluster, more for one
// per file of a compressed entry.  Throws LauncherException when the disk
// cannot be asked.
bool enoughFreeSpace(const std::string& directory, int32_t bytes, int32_t extraClusters);

// Writes the entry's bytes into a new file in the directory under its stored
// name and returns the path; an empty directory means the current one.
// Refuses, before writing, a name that is not a plain file name, an entry
// that the launcher file holds only part of, and a name that exists in the
// directory; a failed extraction removes what it wrote.
std::string extract(const FileIndexEntry& entry, const std::string& directory);

// The application archive, put into a workspace directory once per run: the
// last embedded one, or a copy of the named file beside the original
// launcher (empty when there is none).  Without an argument the running
// launcher file's entries are used.
std::string embeddedApplicationArchive();
std::string embeddedApplicationArchive(const LauncherFile& file);
std::string applicationArchiveBeside(const std::string& fileName);
// Forgets the application archive, so that the next request puts it into
// the workspace again (a new run in the same process).
void forgetApplicationArchive();

// "-vd:extract": every embedded file into the current directory, and
// "input.tag" that runs the same instructions from them.  Without an
// argument the running launcher file's entries are used.  Refuses, before
// writing anything, names that are not plain file names, two names for the
// same file, an embedded "input.tag", an entry the launcher file does not
// hold whole, and a name that exists in the current directory; after a
// failure none of the files it wrote stays.
void extractAll();
void extractAll(const LauncherFile& file);
