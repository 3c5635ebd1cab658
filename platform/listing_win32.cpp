// Listing over Win32's find-file functions, whole 64-bit sizes included.
#include <windows.h>

#include <cstring>

#include "platform/listing.h"

namespace {

void Describe(const WIN32_FIND_DATAA& found, ZadeFindData* data) {
    data->Attributes = found.dwFileAttributes;
    data->Size = uint64_t{found.nFileSizeHigh} << 32 | found.nFileSizeLow;
    static_assert(sizeof(found.cFileName) <= kListedNameSize, "a long name must fit");
    std::memcpy(data->Name, found.cFileName, sizeof(found.cFileName));
    data->Name[sizeof(found.cFileName) - 1] = '\0';
}

ZadeListing* First(const char* pattern, ZadeFindData* data) {
    // A drive without a medium fails quietly instead of asking the user.
    static const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    (void)previous;
    WIN32_FIND_DATAA found;
    HANDLE handle = FindFirstFileA(pattern, &found);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    Describe(found, data);
    return reinterpret_cast<ZadeListing*>(handle);
}

bool Next(ZadeListing* listing, ZadeFindData* data) {
    WIN32_FIND_DATAA found;
    if (!FindNextFileA(reinterpret_cast<HANDLE>(listing), &found)) return false;
    Describe(found, data);
    return true;
}

void Close(ZadeListing* listing) {
    if (listing != nullptr) FindClose(reinterpret_cast<HANDLE>(listing));
}

uint32_t LogicalDrives() {
    return GetLogicalDrives();
}

int DriveType(const char* drive) {
    char root[8] = {drive[0], ':', '\\', '\0'};
    return static_cast<int>(GetDriveTypeA(root));
}

const ListingService kWin32Service = {First, Next, Close, LogicalDrives, DriveType, false};

}  // namespace

const ListingService& PlatformListingService() {
    return kWin32Service;
}
