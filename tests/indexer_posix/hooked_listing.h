// The platform's listing with a hook before each folder is opened, so that
// a test can change the tree between queueing and listing.
#pragma once

#include <functional>
#include <string>

class HookedListing {
public:
    HookedListing();
    ~HookedListing();

    // Called with the folder's path before it is listed.
    std::function<void(const std::string& folder)> BeforeListing;
    // With a root, the job walks it as the single root drive: lines read /name.
    std::string Root;
};
