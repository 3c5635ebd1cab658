// The listing calls go to whichever services are in place.
#include <atomic>

#include "platform/listing.h"

namespace {
std::atomic<const ListingService*> CurrentService{nullptr};
}

void SetListingService(const ListingService* service) {
    CurrentService.store(service);
}

const ListingService& CurrentListingService() {
    const ListingService* service = CurrentService.load();
    return service != nullptr ? *service : PlatformListingService();
}

ZadeListing* ZadeFirstFileA(const char* pattern, ZadeFindData* data) {
    return CurrentListingService().FirstFile(pattern, data);
}

bool ZadeNextFileA(ZadeListing* listing, ZadeFindData* data) {
    return CurrentListingService().NextFile(listing, data);
}

void ZadeClose(ZadeListing* listing) {
    CurrentListingService().Close(listing);
}
