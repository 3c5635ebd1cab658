// The one normalisation of names and queries.
#pragma once

#include <cstddef>

// Cuts trailing '.' and '-' (at most 100), then turns A-Z and the Latin-1
// capitals 0xC4, 0xD6, 0xC5 into their small forms, in place.
void FoldName(char* text);
