// A progress window test's surroundings: its own current folder, a scripted
// listing instead of the machine's drives, message boxes recorded, and a
// record of every tick of the window's timer.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/resource.h"
#include "framework/test_seams.h"
#include "index/build_job.h"
#include "index/index_progress.h"
#include "tests/framework/modal_driver.h"
#include "tests/framework/scratch_folder.h"
#include "tests/progress_window/gated_listing.h"
#include "ui/IndexDlg.h"

// What the window showed when one tick of its timer was taken from the queue.
struct TickView {
    std::string State;
    std::string ScanLine;
    bool ReturnEnabled;
};

class ProgressWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Waits (up to 20 s) until no build holds the claim; false on time-out.
    static bool WaitForIdleBuild();
    // The lines of index.txt in the current folder, line ends removed.
    static std::vector<std::string> IndexLines();
    static std::string ReadFile(const std::string& path);

    // c: holds docs\c.txt, a.txt and b.txt; these are the four lines of its index.
    static std::vector<std::string> ExpectedLines();

    static int TicksSeen();
    static std::vector<TickView> Ticks();

    static bool ShowsText(HWND dialog, int id, const char* text) {
        return ItemText(dialog, id) == text;
    }

    GatedListing Listing;
    ScratchFolder Scratch;
    static std::vector<std::string> Messages;

private:
    static int RecordMessage(HWND, const char* text, const char*, UINT);
    static LRESULT CALLBACK OnGetMessage(int code, WPARAM wParam, LPARAM lParam);
    HHOOK TickHook = nullptr;
};
