#include "hooked_listing.h"

#include "platform/listing.h"

namespace {

HookedListing* Active = nullptr;

ZadeListing* First(const char* pattern, ZadeFindData* data) {
    std::string path = Active->Root + pattern;
    if (Active->BeforeListing) Active->BeforeListing(path.substr(0, path.size() - 2));
    return PlatformListingService().FirstFile(path.c_str(), data);
}

bool Next(ZadeListing* listing, ZadeFindData* data) {
    return PlatformListingService().NextFile(listing, data);
}

void Close(ZadeListing* listing) {
    PlatformListingService().Close(listing);
}
uint32_t NoDrives() {
    return 0;
}
int Fixed(const char*) {
    return kDriveFixed;
}

const ListingService Service = {First, Next, Close, NoDrives, Fixed, true};

}  // namespace

HookedListing::HookedListing() {
    Active = this;
    SetListingService(&Service);
}

HookedListing::~HookedListing() {
    SetListingService(nullptr);
    Active = nullptr;
}
