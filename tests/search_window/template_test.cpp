// The search window's template and menu as the executable holds them.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/resource.h"
#include "tests/framework/dialog_template.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kListStyle =
    kChild | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;

struct ExpectedItem {
    const char* ClassName;
    int Id;
    const char* Text;
    int X, Y, Width, Height;
    DWORD Style;
    DWORD ExStyle;
};

const ExpectedItem kItems[] = {
    {"LISTBOX", IDC_FOUND_LIST, "", 13, 38, 502, 187, kListStyle | LBS_SORT, 0},
    {"STATIC", -1, "Found files:", 17, 27, 37, 8, kChild | SS_LEFT | WS_GROUP, 0},
    {"BUTTON", IDC_SEARCH, "Search", 124, 13, 47, 17, kChild | BS_PUSHBUTTON | WS_TABSTOP, 0},
    {"EDIT", IDC_QUERY, "", 15, 14, 106, 12,
     kChild | ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0},
    {"EDIT", IDC_STATUS, "", 110, 231, 268, 12,
     kChild | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | WS_TABSTOP, 0},
    {"BUTTON", IDC_OPEN_FOLDER, "Open folder", 15, 230, 90, 15, kChild | BS_PUSHBUTTON | WS_TABSTOP,
     0},
    {"STATIC", -1, "File Type:", 182, 15, 32, 8, kChild | SS_LEFT | WS_GROUP, 0},
    {"LISTBOX", IDC_TYPE_LIST, "", 218, 6, 48, 31, kListStyle | LBS_SORT, 0},
    {"STATIC", -1, "Size:", 276, 15, 17, 12, kChild | SS_LEFT | WS_GROUP, 0},
    {"LISTBOX", IDC_SIZE_LIST, "", 296, 6, 46, 32, kListStyle, 0},
    {"BUTTON", IDC_WEB_PAGE, "Download music videos, donate support money!", 345, 12, 167, 24,
     kChild | BS_PUSHBUTTON | WS_TABSTOP,
     WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE},
};

TEST(SearchTemplate, WindowPartsAreAsDesigned) {
    const DialogTemplate t = ReadDialogTemplate(IDD_SEARCH_DIALOG);
    ASSERT_TRUE(t.Found);
    EXPECT_TRUE(t.Extended);
    EXPECT_EQ(t.Style,
              static_cast<DWORD>(DS_SETFONT | DS_3DLOOK | WS_POPUP | WS_VISIBLE | WS_CAPTION |
                                 WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(t.ExStyle, static_cast<DWORD>(WS_EX_APPWINDOW | WS_EX_CLIENTEDGE));
    EXPECT_EQ(t.HelpId, 0u);
    EXPECT_EQ(t.X, 0);
    EXPECT_EQ(t.Y, 0);
    EXPECT_EQ(t.Width, 532);
    EXPECT_EQ(t.Height, 263);
    EXPECT_EQ(t.Menu, "#136");
    EXPECT_EQ(t.ClassName, "");
    EXPECT_EQ(t.Caption, "OstrelZade 1.0.4.2006 --- Visit WWW.OSTRELZADE.EXAMPLE !");
    EXPECT_EQ(t.PointSize, 8);
    EXPECT_EQ(t.Weight, 0);
    EXPECT_FALSE(t.Italic);
    EXPECT_EQ(t.CharSet, 1);
    EXPECT_EQ(t.Font, "MS Sans Serif");
    EXPECT_NE(FindResourceExA(nullptr, MAKEINTRESOURCEA(5), MAKEINTRESOURCEA(IDD_SEARCH_DIALOG),
                              MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)),
              nullptr)
        << "the template is not in English (United States)";
}

TEST(SearchTemplate, ControlsComeInTabOrderWithTheirStyles) {
    const DialogTemplate t = ReadDialogTemplate(IDD_SEARCH_DIALOG);
    ASSERT_EQ(t.Items.size(), std::size(kItems));
    for (size_t i = 0; i < t.Items.size(); ++i) {
        const TemplateItem& got = t.Items[i];
        const ExpectedItem& want = kItems[i];
        SCOPED_TRACE("control " + std::to_string(i + 1) + " " + want.Text);
        EXPECT_EQ(got.ClassName, want.ClassName);
        EXPECT_EQ(got.Id, want.Id);
        EXPECT_EQ(got.Text, want.Text);
        EXPECT_EQ(got.X, want.X);
        EXPECT_EQ(got.Y, want.Y);
        EXPECT_EQ(got.Width, want.Width);
        EXPECT_EQ(got.Height, want.Height);
        EXPECT_EQ(got.Style, want.Style) << std::hex << got.Style << " vs " << want.Style;
        EXPECT_EQ(got.ExStyle, want.ExStyle);
        EXPECT_EQ(got.HelpId, 0u);
        if (got.ClassName == "BUTTON") {
            EXPECT_NE(got.Style & 0xF, static_cast<DWORD>(BS_DEFPUSHBUTTON));
        }
        EXPECT_NE(got.Id, IDOK);
        EXPECT_NE(got.Id, IDCANCEL);
    }
}

struct MenuItemSeen {
    std::string Text;
    UINT Id;
    UINT Type;
    bool Popup;
};

std::vector<MenuItemSeen> ItemsOf(HMENU menu) {
    std::vector<MenuItemSeen> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, i, TRUE, &info);
        items.push_back({text, info.wID, info.fType, info.hSubMenu != nullptr});
    }
    return items;
}

TEST(SearchMenu, ActionAndHelpInFinnishResources) {
    EXPECT_NE(FindResourceExA(nullptr, MAKEINTRESOURCEA(4), MAKEINTRESOURCEA(IDR_SEARCH_MENU),
                              MAKELANGID(LANG_FINNISH, SUBLANG_DEFAULT)),
              nullptr);
    EXPECT_EQ(MAKELANGID(LANG_FINNISH, SUBLANG_DEFAULT), 1035);
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_SEARCH_MENU));
    ASSERT_NE(menu, nullptr);
    const std::vector<MenuItemSeen> bar = ItemsOf(menu);
    ASSERT_EQ(bar.size(), 2u);
    EXPECT_EQ(bar[0].Text, "Action");
    EXPECT_EQ(bar[1].Text, "Help");
    const struct {
        int Popup;
        const char* Text;
        UINT Id;
    } kCommands[] = {{0, "Update index now", ID_UPDATE_INDEX},
                     {1, "About OstrelZade", ID_HELP_ABOUT}};
    for (const auto& want : kCommands) {
        ASSERT_TRUE(bar[want.Popup].Popup);
        const std::vector<MenuItemSeen> items = ItemsOf(GetSubMenu(menu, want.Popup));
        ASSERT_EQ(items.size(), 1u) << want.Text;
        EXPECT_EQ(items[0].Text, want.Text);
        EXPECT_EQ(items[0].Id, want.Id);
        EXPECT_EQ(items[0].Type, static_cast<UINT>(MFT_STRING)) << "no separator, no check mark";
        EXPECT_EQ(std::string(items[0].Text).find('&'), std::string::npos);
    }
    DestroyMenu(menu);
}

}  // namespace
