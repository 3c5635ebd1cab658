#include "fake_listing.h"

#include <cstring>

namespace {

FakeListing* Active = nullptr;

}  // namespace

struct ZadeListing {
    const FakeFolder* Folder;
    size_t Next;
};

namespace {

bool Yield(ZadeListing* listing, ZadeFindData* data) {
    if (Active->BeforeEntry) Active->BeforeEntry();
    const FakeFolder& folder = *listing->Folder;
    if (listing->Next >= folder.Entries.size()) return false;
    if (folder.FailAfter >= 0 && listing->Next >= static_cast<size_t>(folder.FailAfter)) {
        return false;
    }
    const FakeEntry& entry = folder.Entries[listing->Next++];
    data->Attributes = entry.Attributes;
    data->Size = entry.Size;
    std::strncpy(data->Name, entry.Name.c_str(), kListedNameSize - 1);
    data->Name[kListedNameSize - 1] = '\0';
    return true;
}

ZadeListing* First(const char* pattern, ZadeFindData* data) {
    Active->Patterns.push_back(pattern);
    std::string folder(pattern);
    folder.resize(folder.size() - 2);  // the separator and '*'
    auto found = Active->Folders.find(folder);
    if (found == Active->Folders.end()) return nullptr;
    ZadeListing* listing = new ZadeListing{&found->second, 0};
    if (!Yield(listing, data)) {
        delete listing;
        return nullptr;
    }
    ++Active->OpenListings;
    return listing;
}

void Close(ZadeListing* listing) {
    --Active->OpenListings;
    delete listing;
}

uint32_t Drives() {
    return Active->DriveMask;
}

int Type(const char* drive) {
    auto found = Active->DriveTypes.find(drive);
    return found == Active->DriveTypes.end() ? kDriveFixed : found->second;
}

ListingService Service = {First, Yield, Close, Drives, Type, false};

}  // namespace

FakeListing::FakeListing() {
    Active = this;
    SetListingService(&Service);
}

FakeListing::~FakeListing() {
    SetListingService(nullptr);
    Active = nullptr;
}
