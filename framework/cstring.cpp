#include "framework/cstring.h"

#include <cstring>

char* CString::GetBuffer(int length) {
    if (length < 0) length = 0;
    if (static_cast<size_t>(length) > Text.size()) Text.resize(static_cast<size_t>(length));
    return &Text[0];
}

void CString::ReleaseBuffer(int length) {
    if (length < 0) length = static_cast<int>(std::strlen(Text.c_str()));
    if (static_cast<size_t>(length) < Text.size()) Text.resize(static_cast<size_t>(length));
}
