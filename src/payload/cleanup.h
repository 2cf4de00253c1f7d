#pragma once

// Removes the workspace (directories last created first, then files) and,
// when the run was started with "-vd:orig", arranges the removal of the
// launcher file and its directory after the process has ended.  Never throws
// for a deletion failure.
void cleanUp();

// The cleanup of a process that is being ended from outside while its run
// goes on: cleanUp(), then the workspace is closed, both under the lock of
// the cleanup lists, so that nothing the run asks for meanwhile is left
// behind.  Never throws.
void cleanUpForTheEnd();
