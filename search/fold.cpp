#include "search/fold.h"

#include <cstring>

namespace {

constexpr int kMaxTrim = 100;

// Capitals and their small letters; the last three are the Latin-1 capitals
// A with diaeresis, O with diaeresis and A with ring.
constexpr char kCapitals[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ\xC4\xD6\xC5";
constexpr char kSmalls[] = "abcdefghijklmnopqrstuvwxyz\xE4\xF6\xE5";

struct FoldTable {
    unsigned char To[256];
    constexpr FoldTable() : To() {
        for (int i = 0; i < 256; ++i) To[i] = static_cast<unsigned char>(i);
        for (int i = 0; kCapitals[i] != '\0'; ++i)
            To[static_cast<unsigned char>(kCapitals[i])] = static_cast<unsigned char>(kSmalls[i]);
    }
};

constexpr FoldTable kFold;

}  // namespace

void FoldName(char* text) {
    size_t length = strlen(text);
    for (int cut = 0; cut < kMaxTrim && length > 0; ++cut) {
        const char last = text[length - 1];
        if (last != '.' && last != '-') break;
        --length;
    }
    text[length] = '\0';
    unsigned char* p = reinterpret_cast<unsigned char*>(text);
    for (size_t i = 0; i < length; ++i) p[i] = kFold.To[p[i]];
}
