// Which paths the search window hands to the shell, and how Open folder cuts one.
#pragma once

#include <cstddef>

// True for the form the index writer gives every entry: a small drive
// letter, a colon and a backslash ("c:\..."). Anything else in a hand-edited
// index (an address, a network path) must never reach the shell's "open".
bool IsLocalDrivePath(const char* path);

// True for a folder Open folder may ask for: a local drive path, or a bare
// drive such as "c:" (what an entry in a drive's root is cut to).
bool IsLocalFolderPath(const char* path);

// Ends path at its last backslash, looking from its end down to position 1
// (position 0 is never cut); a path without one stays whole.
void CutAtLastBackslash(char* path);
