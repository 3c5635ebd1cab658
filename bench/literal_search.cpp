#include "bench/literal_search.h"

#include <cstdio>
#include <cstring>

namespace {

const char kCapitals[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ\xC4\xD6\xC5";
const char kSmalls[] = "abcdefghijklmnopqrstuvwxyz\xE4\xF6\xE5";

}  // namespace

void LiteralFold(char* text) {
    int cut = 0;
    size_t n = strlen(text);
    while (n > 0 && (text[n - 1] == '.' || text[n - 1] == '-') && cut < 100) {
        text[--n] = '\0';
        ++cut;
    }
    for (size_t i = 0; i < n; ++i) {
        const char c = text[i];
        if (c >= 'A' && c <= 'Z')
            text[i] = static_cast<char>(c - 'A' + 'a');
        else if (c == kCapitals[26] || c == kCapitals[27] || c == kCapitals[28])
            text[i] = kSmalls[strchr(kCapitals, c) - kCapitals];
    }
}

bool LiteralSize(unsigned size, int sizeFilter) {
    switch (sizeFilter) {
        case 1:
            return size >= 1048576u;
        case 2:
            return size >= 10485760u;
        case 3:
            return size >= 104857600u;
        case 4:
            return size >= 629145600u;
        default:
            return true;
    }
}

bool LiteralType(const char* path, int typeFilter) {
    static const char* const lists[5][10] = {
        {nullptr},
        {".jar", ".rar", ".zip", ".ace"},
        {".mp3", ".mp2", ".wav", ".ra", ".xm", ".mod", ".it", ".s3m", ".au"},
        {".tif", ".tiff", ".gif", ".png", ".jpg", ".tga", ".bmp", ".psp", ".psd"},
        {".avi", ".mpg", ".mpeg", ".mov", ".rm"},
    };
    if (typeFilter < 1 || typeFilter > 4) return true;
    const size_t length = strlen(path);
    for (int i = 0; i < 10 && lists[typeFilter][i] != nullptr; ++i) {
        const char* ending = lists[typeFilter][i];
        if (length > 4 && strcmp(path + length - strlen(ending), ending) == 0) return true;
    }
    return false;
}

bool LiteralText(const char* path, const char* query) {
    return strcmp(query, "*") == 0 || strstr(path, query) != nullptr;
}

char* LiteralReadLine(char* line, int size, FILE* file, int* length) {
    int n = 0;
    while (n < size - 1) {
        int c = getc(file);
        if (c == EOF) break;
        if (c == '\r') {
            const int next = getc(file);
            if (next == '\n')
                c = '\n';
            else if (next != EOF)
                ungetc(next, file);
        }
        line[n++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    if (n == 0) return nullptr;
    line[n] = '\0';
    if (length != nullptr) *length = n;
    return line;
}

void LiteralRunSearch(SearchView& view, char* query, int typeFilter, int sizeFilter,
                      int resultLimit, const char* indexFile, LiteralLineRead lineRead) {
    view.EnableSearchButton(false);
    view.ClearFoundList();
    if (query[0] == '\0') strcpy(query, "*");
    const bool textStream = lineRead == LiteralLineRead::kTextStream;
    FILE* file = fopen(indexFile, textStream ? "rb" : "rt");
    if (file == nullptr) {
        view.ShowMessage(
            "Index not found, Build index first! -- Indeksi\xE4 ei l\xF6ydy, rakennuta indeksi "
            "ensiksi!");
        view.EnableSearchButton(true);
        return;
    }
    LiteralFold(query);
    int results = 0;
    int total = 0;
    static char line[4000];
    static char path[4096];
    static char recorded[4096];
    while (results < resultLimit) {
        const bool got = textStream ? LiteralReadLine(line, sizeof line, file) != nullptr
                                    : fgets(line, sizeof line, file) != nullptr;
        if (!got) break;
        unsigned size = 0;
        if (sscanf(line, "%x %s", &size, path) == 2) {
            for (char* p = path; *p != '\0'; ++p)
                if (*p == '?') *p = ' ';
            strcpy(recorded, path);
            LiteralFold(path);
            if (LiteralSize(size, sizeFilter) && LiteralType(path, typeFilter) &&
                LiteralText(path, query)) {
                view.AddFoundEntry(path, recorded);
                ++results;
            }
        }
        ++total;
    }
    char summary[128];
    snprintf(summary, sizeof summary, "Found %d results. Database contains total %d files.",
             results, total);
    view.SetStatusText(summary);
    fclose(file);
    view.EnableSearchButton(true);
}
