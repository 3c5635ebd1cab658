// A small owning byte string for the data exchange and the windows' texts.
#pragma once

#include <cstddef>
#include <string>

class CString {
public:
    CString() = default;
    CString(const char* text) : Text(text ? text : "") {}
    CString(const char* text, size_t length)
        : Text(text ? std::string(text, length) : std::string()) {}

    CString& operator=(const char* text) {
        Text = text ? text : "";
        return *this;
    }

    int GetLength() const { return static_cast<int>(Text.size()); }
    bool IsEmpty() const { return Text.empty(); }
    void Empty() { Text.clear(); }
    const char* GetString() const { return Text.c_str(); }
    operator const char*() const { return Text.c_str(); }

    // Room for length characters and a terminator; call ReleaseBuffer after writing.
    char* GetBuffer(int length);
    // Trims the string at its first terminator (or at length when length >= 0).
    void ReleaseBuffer(int length = -1);

    bool operator==(const char* other) const { return Text == (other ? other : ""); }
    bool operator!=(const char* other) const { return !(*this == other); }

private:
    std::string Text;
};
