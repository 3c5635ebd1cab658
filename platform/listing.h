// Folder listing and drive queries: the services the index build relies on.
//
// listing_win32.cpp and listing_posix.cpp implement them; a test may put a
// scripted service of its own in their place with SetListingService.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr uint32_t kAttrHidden = 0x02;
inline constexpr uint32_t kAttrFolder = 0x10;
inline constexpr uint32_t kAttrReparsePoint = 0x400;

// Drive types, with the values the Windows drive query gives.
enum DriveType {
    kDriveUnknown = 0,
    kDriveNoRootDir = 1,
    kDriveRemovable = 2,
    kDriveFixed = 3,
    kDriveRemote = 4,
    kDriveCdrom = 5,
    kDriveRamdisk = 6,
};

inline constexpr size_t kListedNameSize = 1024;

struct ZadeFindData {
    uint32_t Attributes;
    uint64_t Size;               // whole size; folders report 0
    char Name[kListedNameSize];  // long name, zero-terminated
};

struct ZadeListing;  // opaque, owned by the service that made it

struct ListingService {
    // pattern is a folder path followed by the separator and '*'.
    ZadeListing* (*FirstFile)(const char* pattern, ZadeFindData* data);
    bool (*NextFile)(ZadeListing* listing, ZadeFindData* data);
    void (*Close)(ZadeListing* listing);
    uint32_t (*LogicalDrives)();          // bit 0 a:, bit 1 b:, ... bit 25 z:
    int (*DriveType)(const char* drive);  // drive as "c:"
    // True where the file system has one root, the drive named by the empty
    // text (paths then read /usr/bin); LogicalDrives and DriveType go unasked.
    bool SingleRootDrive;
};

// The platform's own services.
const ListingService& PlatformListingService();
// Replaces the services in use (nullptr restores the platform's); for tests.
void SetListingService(const ListingService* service);
const ListingService& CurrentListingService();

// Starts a listing and yields its first entry; nullptr when it cannot start.
ZadeListing* ZadeFirstFileA(const char* pattern, ZadeFindData* data);
// Yields the next entry; false when none is left or on any error.
bool ZadeNextFileA(ZadeListing* listing, ZadeFindData* data);
void ZadeClose(ZadeListing* listing);
