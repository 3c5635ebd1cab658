// Putting a finished file in the place of another.
#pragma once

// Replaces target with source (source's name is gone afterwards); false
// when it cannot be done, the target then as it was.
bool ReplaceFileWith(const char* target, const char* source);

// Removes a file (never a folder); false when there was none or it stays.
bool RemoveFileAt(const char* path);
