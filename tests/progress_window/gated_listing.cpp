#include "tests/progress_window/gated_listing.h"

#include <cstring>

namespace {
GatedListing* Current = nullptr;
}

struct GatedListing::Listing {
    const std::vector<ListedItem>* Items;
    size_t Next;
};

GatedListing::GatedListing() {
    Service.FirstFile = &GatedListing::FirstFile;
    Service.NextFile = &GatedListing::NextFile;
    Service.Close = &GatedListing::Close;
    Service.LogicalDrives = &GatedListing::LogicalDrives;
    Service.DriveType = &GatedListing::DriveType;
    Service.SingleRootDrive = false;
    Current = this;
    SetListingService(&Service);
}

GatedListing::~GatedListing() {
    Release();
    SetListingService(nullptr);
    Current = nullptr;
}

void GatedListing::HoldAfter(int entries) {
    std::lock_guard<std::mutex> hold(Lock);
    HoldAt = entries;
}

void GatedListing::Release() {
    {
        std::lock_guard<std::mutex> hold(Lock);
        HoldAt = -1;
    }
    Opened.notify_all();
}

bool GatedListing::Waiting() const {
    std::lock_guard<std::mutex> hold(Lock);
    return WaitingAtGate;
}

int GatedListing::EntriesGiven() const {
    std::lock_guard<std::mutex> hold(Lock);
    return Given;
}

int GatedListing::TimesListed(const std::string& pattern) const {
    std::lock_guard<std::mutex> hold(Lock);
    auto found = Patterns.find(pattern);
    return found == Patterns.end() ? 0 : found->second;
}

bool GatedListing::Hand(Listing* listing, ZadeFindData* data) {
    if (listing->Next >= listing->Items->size()) return false;
    std::unique_lock<std::mutex> hold(Lock);
    WaitingAtGate = true;
    Opened.wait(hold, [this] { return HoldAt < 0 || Given < HoldAt; });
    WaitingAtGate = false;
    const ListedItem& item = (*listing->Items)[listing->Next++];
    ++Given;
    data->Attributes = item.Attributes;
    data->Size = item.Size;
    std::strncpy(data->Name, item.Name.c_str(), sizeof data->Name - 1);
    data->Name[sizeof data->Name - 1] = '\0';
    return true;
}

ZadeListing* GatedListing::FirstFile(const char* pattern, ZadeFindData* data) {
    std::string folder = pattern;
    {
        std::lock_guard<std::mutex> hold(Current->Lock);
        ++Current->Patterns[folder];
    }
    if (folder.size() >= 2 && folder.compare(folder.size() - 2, 2, "\\*") == 0)
        folder.resize(folder.size() - 2);
    auto found = Current->Folders.find(folder);
    if (found == Current->Folders.end()) return nullptr;
    auto* listing = new Listing{&found->second, 0};
    if (!Current->Hand(listing, data)) {
        delete listing;
        return nullptr;
    }
    return reinterpret_cast<ZadeListing*>(listing);
}

bool GatedListing::NextFile(ZadeListing* listing, ZadeFindData* data) {
    return Current->Hand(reinterpret_cast<Listing*>(listing), data);
}

void GatedListing::Close(ZadeListing* listing) {
    delete reinterpret_cast<Listing*>(listing);
}

uint32_t GatedListing::LogicalDrives() {
    return Current->DriveMask;
}

int GatedListing::DriveType(const char*) {
    return kDriveFixed;
}
