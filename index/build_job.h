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
// directory. The parameter is not used; the result is always 0. The new
// index is written beside the old one and takes its place only once it is
// complete; otherwise the old one stays and IndexProgress.Failure says why.
// Done is raised last.
uint32_t BuildIndex(void* parameter);

// The same job writing the index at indexPath (tests use a folder of their own).
uint32_t BuildIndexInto(const char* indexPath);

// The same job over one folder instead of the drives: root's entries,
// breadth-first, into the index at indexPath.
uint32_t BuildFolderIndex(const char* root, const char* indexPath);
