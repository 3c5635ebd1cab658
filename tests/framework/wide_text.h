// Wide text read from windows or templates, turned into the ANSI code page.
#pragma once

#include <windows.h>

#include <string>

inline std::string NarrowText(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), &text[0], size,
                        nullptr, nullptr);
    return text;
}
