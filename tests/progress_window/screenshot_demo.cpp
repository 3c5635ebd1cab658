// Shows the progress window over a scripted drive, held part-way through
// its build for a few seconds, so a screenshot can be taken (not a test).
#include <windows.h>

#include <cstdlib>
#include <string>

#include "framework/test_seams.h"
#include "index/build_job.h"
#include "tests/framework/modal_driver.h"
#include "tests/progress_window/gated_listing.h"
#include "ui/IndexDlg.h"

int main(int argc, char** argv) {
    const DWORD holdMs = argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 6000;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "zade-progress-screenshot";
    CreateDirectoryA(folder.c_str(), nullptr);
    SetCurrentDirectoryA(folder.c_str());

    GatedListing listing;
    auto& root = listing.Folders["c:"];
    for (const char* name : {"Documents and Settings", "Program Files", "WINDOWS"})
        root.push_back(GatedListing::Folder(name));
    root.push_back(GatedListing::File("boot.ini", 211));
    auto& programs = listing.Folders["c:\\Program Files"];
    for (int i = 0; i < 30; ++i) {
        const std::string name = "Application " + std::to_string(i);
        programs.push_back(GatedListing::Folder(name));
        auto& files = listing.Folders["c:\\Program Files\\" + name];
        for (int j = 0; j < 20; ++j)
            files.push_back(GatedListing::File("part" + std::to_string(j) + ".dat", 1000));
    }
    auto& windows = listing.Folders["c:\\WINDOWS"];
    windows.push_back(GatedListing::Folder("system32"));
    for (int i = 0; i < 40; ++i)
        windows.push_back(GatedListing::Folder("Folder" + std::to_string(i)));
    auto& system = listing.Folders["c:\\WINDOWS\\system32"];
    for (int i = 0; i < 3000; ++i)
        system.push_back(GatedListing::File("library" + std::to_string(i) + ".dll", 4096));
    listing.HoldAfter(1234);

    ModalDriver driver;
    DWORD shownAt = 0;
    driver
        .WaitFor("held", [&](HWND) { return listing.Waiting() && listing.EntriesGiven() == 1234; })
        .Do("note", [&](HWND) { shownAt = GetTickCount(); })
        .WaitFor(
            "hold", [&](HWND) { return GetTickCount() - shownAt > holdMs; }, holdMs + 5000)
        .Do("leave", [&](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); });
    CIndexDlg dialog;
    driver.Run(dialog, holdMs + 20000);
    listing.Release();
    while (IndexBuildRunning()) Sleep(10);
    DeleteFileA("index.txt");
    SetCurrentDirectoryA(temp);
    RemoveDirectoryA(folder.c_str());
    return 0;
}
