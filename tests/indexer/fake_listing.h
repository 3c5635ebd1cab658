// A scripted listing and drive service: folders with their entries in a
// fixed order, drive masks and types, listings that cannot start or that
// fail midway.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/listing.h"

struct FakeEntry {
    std::string Name;
    uint32_t Attributes;
    uint64_t Size;
};

struct FakeFolder {
    std::vector<FakeEntry> Entries;
    // The listing yields this many entries and then fails; -1 for all.
    int FailAfter = -1;
};

class FakeListing {
public:
    FakeListing();
    ~FakeListing();  // puts the platform's services back

    // Folders by path as the walk spells them; a folder not named cannot be listed.
    std::map<std::string, FakeFolder> Folders;
    uint32_t DriveMask = 0;
    std::map<std::string, int> DriveTypes;  // by "c:"; kDriveFixed when absent
    // Called before every entry is handed out, and at the end of each listing.
    std::function<void()> BeforeEntry;

    std::vector<std::string> Patterns;  // every pattern asked for, in order
    int OpenListings = 0;               // started and not yet closed

    static FakeEntry File(const std::string& name, uint64_t size = 0) { return {name, 0x20, size}; }
    static FakeEntry Folder(const std::string& name) { return {name, kAttrFolder, 0}; }
    // A folder below a root, as Windows lists it: "." and ".." first.
    static FakeFolder Listed(std::vector<FakeEntry> entries) {
        entries.insert(entries.begin(), {{".", kAttrFolder, 0}, {"..", kAttrFolder, 0}});
        return FakeFolder{entries};
    }
};
