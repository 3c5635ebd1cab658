// A synthetic index with the look of a real Windows machine's: deep folders,
// spaces, mixed case, a realistic mix of endings and sizes, and a few
// thousand holiday pictures per two million lines.
#pragma once

// Writes lines lines to path; false when the file cannot be written.
bool WriteSyntheticIndex(const char* path, long long lines, unsigned seed = 2026);
