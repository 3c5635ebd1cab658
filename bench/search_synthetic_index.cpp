#include "bench/search_synthetic_index.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

const char* const kTop[] = {"Windows",     "Program Files", "Program Files (x86)",
                            "ProgramData", "Users",         "Users",
                            "Users",       "Games",         "Work",
                            "Backup"};
const char* const kUsers[] = {"Anna", "mikko", "Administrator", "Public", "J.Virtanen"};
const char* const kUserFolders[] = {"Documents", "Pictures", "Music",          "Videos",
                                    "Downloads", "Desktop",  "AppData\\Local", "AppData\\Roaming"};
const char* const kFolders[] = {"System32",
                                "drivers",
                                "en-US",
                                "Microsoft",
                                "Temp",
                                "cache",
                                "Fonts",
                                "WinSxS",
                                "Assets",
                                "Textures",
                                "Levels",
                                "src",
                                "lib",
                                "include",
                                "node_modules",
                                "Backup 2019",
                                "New Folder",
                                "New Folder (2)",
                                "Project X",
                                "Reports",
                                "old",
                                "Archive",
                                "Setup",
                                "Common Files",
                                "Mozilla",
                                "Google",
                                "Chrome",
                                "User Data",
                                "Default",
                                "Extensions",
                                "Logs",
                                "Data",
                                "bin",
                                "obj",
                                "Release",
                                "Debug",
                                "Resources",
                                "Images",
                                "Icons",
                                "Sounds",
                                "Music Collection",
                                "Albums",
                                "Invoices 2020",
                                "Tax",
                                "Scans",
                                "Camera Roll",
                                "Screenshots",
                                "Steam",
                                "steamapps",
                                "common",
                                "Packages",
                                "Installer",
                                "Prefetch",
                                "Help",
                                "Locale",
                                "fi-FI",
                                "x64",
                                "x86",
                                "tools"};
const char* const kNames[] = {
    "setup",    "readme",    "Report",  "IMG",           "DSC",    "track", "Invoice", "config",
    "kernel32", "user32",    "msvcrt",  "index",         "main",   "utils", "Thumbs",  "desktop",
    "license",  "CHANGELOG", "notes",   "Meeting notes", "budget", "photo", "Scan",    "Song",
    "Movie",    "level",     "texture", "shader",        "font",   "icon",  "update",  "patch",
    "data",     "save",      "profile", "cache",         "log",    "temp",  "Copy of"};

struct Ending {
    const char* Text;
    int Weight;
    double MedianKiB;
};

const Ending kEndings[] = {
    {".dll", 100, 300},   {".txt", 60, 4},    {".jpg", 60, 2500}, {".JPG", 20, 3000},
    {".png", 50, 60},     {".xml", 40, 8},    {".exe", 30, 900},  {".htm", 25, 20},
    {".js", 40, 30},      {".css", 15, 10},   {".ini", 20, 2},    {".log", 25, 50},
    {".mp3", 30, 5000},   {".wav", 8, 20000}, {".gif", 15, 30},   {".bmp", 6, 800},
    {".zip", 10, 20000},  {".rar", 4, 50000}, {".avi", 4, 90000}, {".mpg", 2, 60000},
    {".mov", 2, 80000},   {".pdf", 20, 700},  {".doc", 15, 100},  {".cab", 8, 3000},
    {".sys", 10, 200},    {".h", 25, 10},     {".cpp", 15, 20},   {".iso", 1, 700000},
    {".vhd", 1, 2000000}, {".tif", 3, 12000}, {".psd", 2, 40000}, {".it", 1, 400},
    {".dat", 20, 1000},   {".tmp", 10, 100},  {".lnk", 15, 2},    {"", 8, 50},
};

}  // namespace

bool WriteSyntheticIndex(const char* path, long long lines, unsigned seed) {
    FILE* file = fopen(path, "wb");
    if (file == nullptr) return false;
    std::mt19937 random(seed);
    std::vector<int> endingPick;
    for (size_t i = 0; i < sizeof kEndings / sizeof kEndings[0]; ++i)
        for (int w = 0; w < kEndings[i].Weight; ++w) endingPick.push_back(static_cast<int>(i));
    std::lognormal_distribution<double> spread(0.0, 1.6);
    auto pick = [&](auto& table) { return table[random() % (sizeof table / sizeof table[0])]; };

    std::string out;
    out.reserve(1 << 21);
    std::string p;
    bool ok = true;
    for (long long n = 0; n < lines; ++n) {
        uint32_t size = 0;
        p = random() % 5 == 0 ? "d:" : "c:";
        const unsigned roll = random() % 1000;
        if (roll < 2) {  // a holiday picture or film
            p += "\\Users\\";
            p += pick(kUsers);
            p += "\\Pictures\\Holiday ";
            p += std::to_string(2005 + random() % 20);
            p += random() % 2 ? " Lapland" : " in Rome";
            char name[40];
            const unsigned kind = random() % 10;
            snprintf(name, sizeof name, "\\IMG_%04u%s", static_cast<unsigned>(random() % 10000),
                     kind < 7   ? ".JPG"
                     : kind < 9 ? ".png"
                                : ".MOV");
            p += name;
            size = static_cast<uint32_t>(300000 + random() % 8000000);
        } else {
            const char* top = pick(kTop);
            p += "\\";
            p += top;
            if (strcmp(top, "Users") == 0) {
                p += "\\";
                p += pick(kUsers);
                p += "\\";
                p += pick(kUserFolders);
            }
            const unsigned depth = 2 + random() % 7;
            for (unsigned d = 0; d < depth; ++d) {
                p += "\\";
                p += pick(kFolders);
            }
            if (random() % 7 == 0) {  // a folder entry
                p += "\\";
                p += pick(kFolders);
            } else {
                const Ending& e = kEndings[endingPick[random() % endingPick.size()]];
                p += "\\";
                p += pick(kNames);
                if (random() % 2) p += (random() % 3 ? "_" : " ") + std::to_string(random() % 3000);
                p += e.Text;
                // The index keeps the low 32 bits of a size.
                const double bytes = e.MedianKiB * 1024.0 * spread(random);
                size = static_cast<uint32_t>(static_cast<uint64_t>(bytes));
            }
        }
        char digits[12];
        snprintf(digits, sizeof digits, "%.8x ", size);
        out += digits;
        for (char c : p) out += c == ' ' ? '?' : c;
        out += "\r\n";
        if (out.size() >= (1 << 20)) {
            ok = ok && fwrite(out.data(), 1, out.size(), file) == out.size();
            out.clear();
        }
    }
    ok = ok && fwrite(out.data(), 1, out.size(), file) == out.size();
    return fclose(file) == 0 && ok;
}
