#pragma once

// Removes the workspace (directories last created first, then files) and,
// when the run was started with "-vd:orig", arranges the removal of the
// launcher file and its directory after the process has ended.  Never throws
// for a deletion failure.
void cleanUp();
