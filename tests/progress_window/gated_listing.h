// A scripted listing and drive service whose listings can be held at a gate,
// so a test sees the progress window while a build is under way and decides
// when the build may go on.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/listing.h"

struct ListedItem {
    std::string Name;
    uint32_t Attributes;
    uint64_t Size;
};

class GatedListing {
public:
    GatedListing();
    ~GatedListing();  // opens the gate and puts the platform's services back
    GatedListing(const GatedListing&) = delete;
    GatedListing& operator=(const GatedListing&) = delete;

    static ListedItem File(const std::string& name, uint64_t size = 0) {
        return {name, 0x20, size};
    }
    static ListedItem Folder(const std::string& name) { return {name, kAttrFolder, 0}; }

    // Folders by path as the walk spells them ("c:", "c:\docs"); set before the build.
    std::map<std::string, std::vector<ListedItem>> Folders;
    uint32_t DriveMask = 1u << 2;  // c: alone

    // Entries are handed out until this many have gone in all; then the
    // listing waits until Release. -1: never hold.
    void HoldAfter(int entries);
    void Release();
    // True while the worker waits at the gate.
    bool Waiting() const;
    int EntriesGiven() const;
    // How often the listing pattern was asked for.
    int TimesListed(const std::string& pattern) const;

private:
    struct Listing;
    static ZadeListing* FirstFile(const char* pattern, ZadeFindData* data);
    static bool NextFile(ZadeListing* listing, ZadeFindData* data);
    static void Close(ZadeListing* listing);
    static uint32_t LogicalDrives();
    static int DriveType(const char* drive);
    bool Hand(Listing* listing, ZadeFindData* data);

    mutable std::mutex Lock;
    std::condition_variable Opened;
    int HoldAt = -1;
    int Given = 0;
    bool WaitingAtGate = false;
    std::map<std::string, int> Patterns;
    ListingService Service{};
};
