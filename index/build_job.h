// The index build job: every eligible drive, breadth-first, into index.txt.
#pragma once

#include <cstdint>

#include "index/index_line.h"

// One build at a time. ClaimIndexBuild takes the claim and returns true, or
// returns false while another build holds it. The build job gives the claim
// back after it has raised Done; a caller whose thread start fails gives it
// back with ReleaseIndexBuild.
bool ClaimIndexBuild();
void ReleaseIndexBuild();
bool IndexBuildRunning();

// The worker-thread procedure: builds kIndexFileName in the current
// directory. The parameter is not used; the result is always 0.
uint32_t BuildIndex(void* parameter);

// The same job writing the index at indexPath (tests use a folder of their own).
uint32_t BuildIndexInto(const char* indexPath);
