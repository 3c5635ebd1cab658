// The program's own resources: About template, strings, icon, picture, version.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "app/resource.h"
#include "tests/framework/dialog_template.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

TEST(AboutTemplate, PlainDialogWithItsFiveControls) {
    const DialogTemplate t = ReadDialogTemplate(IDD_ABOUTBOX);
    ASSERT_TRUE(t.Found);
    EXPECT_FALSE(t.Extended);
    EXPECT_EQ(t.Style,
              static_cast<DWORD>(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(t.ExStyle, 0u);
    EXPECT_EQ(std::vector<int>({t.X, t.Y, t.Width, t.Height}), std::vector<int>({0, 0, 246, 102}));
    EXPECT_EQ(t.Menu, "");
    EXPECT_EQ(t.ClassName, "");
    EXPECT_EQ(t.Caption, "About OstrelZade");
    EXPECT_EQ(t.PointSize, 8);
    EXPECT_EQ(t.Font, "MS Sans Serif");
    EXPECT_NE(FindResourceExA(nullptr, MAKEINTRESOURCEA(5), MAKEINTRESOURCEA(IDD_ABOUTBOX),
                              MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)),
              nullptr);

    const struct {
        const char* ClassName;
        int Id;
        const char* Text;  // nullptr: the implementer's own text
        int X, Y, Width, Height;
        DWORD Style;
    } kItems[] = {
        {"STATIC", -1, "OstrelZade Version 1.0", 27, 13, 119, 8,
         kChild | SS_CENTER | SS_NOPREFIX | WS_GROUP},
        {"STATIC", -1, nullptr, 17, 25, 148, 8, kChild | SS_CENTER | WS_GROUP},
        {"BUTTON", IDOK, "OK", 171, 18, 50, 14, kChild | BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP},
        {"STATIC", -1, "#134", 55, 38, 131, 42, kChild | SS_BITMAP},
        {"STATIC", -1, nullptr, 85, 84, 73, 11, kChild | SS_LEFT | WS_GROUP},
    };
    ASSERT_EQ(t.Items.size(), std::size(kItems));
    for (size_t i = 0; i < t.Items.size(); ++i) {
        SCOPED_TRACE("control " + std::to_string(i + 1));
        const TemplateItem& got = t.Items[i];
        EXPECT_EQ(got.ClassName, kItems[i].ClassName);
        EXPECT_EQ(got.Id, kItems[i].Id);
        if (kItems[i].Text)
            EXPECT_EQ(got.Text, kItems[i].Text);
        else
            EXPECT_FALSE(got.Text.empty());
        EXPECT_EQ(std::vector<int>({got.X, got.Y, got.Width, got.Height}),
                  std::vector<int>({kItems[i].X, kItems[i].Y, kItems[i].Width, kItems[i].Height}));
        EXPECT_EQ(got.Style, kItems[i].Style) << std::hex << got.Style;
        EXPECT_EQ(got.ExStyle, 0u);
    }
}

TEST(AppStrings, SystemMenuItemAndSocketsMessage) {
    char text[128];
    ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), IDS_ABOUTBOX, text, sizeof text), 0);
    EXPECT_STREQ(text, "&About KavrayZade...");
    ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), IDS_SOCKETS_INIT_FAILED, text, sizeof text),
              0);
    EXPECT_STREQ(text, "Windows sockets initialization failed.");
}

TEST(AppIcon, TwoSixteenColourImagesOnAnOpaqueRedSquare) {
    HRSRC group = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_MAINFRAME), MAKEINTRESOURCEA(14));
    ASSERT_NE(group, nullptr);
    const auto* dir = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, group)));
    uint16_t count;
    std::memcpy(&count, dir + 4, 2);
    ASSERT_EQ(count, 2);
    std::vector<std::pair<int, int>> sizes;
    for (int i = 0; i < count; ++i) {
        const uint8_t* entry = dir + 6 + 14 * i;
        uint16_t bits;
        std::memcpy(&bits, entry + 6, 2);
        sizes.push_back({entry[0], entry[1]});
        EXPECT_EQ(entry[2], 16) << "colour count";
        EXPECT_EQ(bits, 4);
    }
    EXPECT_EQ(sizes, (std::vector<std::pair<int, int>>{{32, 32}, {16, 16}}));

    // The corner pixel of each image is red and opaque.
    for (int size : {32, 16}) {
        HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr),
                                                   MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON,
                                                   size, size, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr);
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP canvas = CreateCompatibleBitmap(screen, size, size);
        HGDIOBJ old = SelectObject(dc, canvas);
        RECT all{0, 0, size, size};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
        EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0)) << size;
        EXPECT_EQ(GetPixel(dc, size - 1, 0), RGB(255, 0, 0)) << size;
        SelectObject(dc, old);
        DeleteObject(canvas);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        DestroyIcon(icon);
    }
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_MAINFRAME + 1), MAKEINTRESOURCEA(14)),
              nullptr);
}

TEST(AboutPicture, TwoHundredAndFiftySixColoursAtItsSize) {
    HRSRC resource =
        FindResourceA(nullptr, MAKEINTRESOURCEA(IDB_ABOUT_PICTURE), MAKEINTRESOURCEA(2));
    ASSERT_NE(resource, nullptr);
    BITMAPINFOHEADER header;
    std::memcpy(&header, LockResource(LoadResource(nullptr, resource)), sizeof header);
    EXPECT_EQ(header.biWidth, 196);
    EXPECT_EQ(header.biHeight, 68);
    EXPECT_EQ(header.biBitCount, 8);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
}

// The keys of the version resource's string table, in their stored order.
struct VersionInfo {
    VS_FIXEDFILEINFO Fixed{};
    std::string Table;
    std::vector<std::pair<std::string, std::string>> Strings;
    std::vector<DWORD> Translations;
};

std::string Narrow(const wchar_t* text) {
    std::string out;
    for (; *text; ++text) out.push_back(static_cast<char>(*text));
    return out;
}

size_t Align4(size_t offset) {
    return (offset + 3) & ~size_t{3};
}

// One node: its key, where its value starts and where it ends.
struct Node {
    std::string Key;
    size_t Value;
    size_t End;
    uint16_t ValueLength;
};

Node ReadNode(const uint8_t* base, size_t at) {
    uint16_t length, valueLength;
    std::memcpy(&length, base + at, 2);
    std::memcpy(&valueLength, base + at + 2, 2);
    const auto* key = reinterpret_cast<const wchar_t*>(base + at + 6);
    const std::string name = Narrow(key);
    return {name, Align4(at + 6 + (name.size() + 1) * 2), at + length, valueLength};
}

VersionInfo ReadVersion() {
    VersionInfo info;
    HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));
    if (!resource) return info;
    const auto* base = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, resource)));
    const Node root = ReadNode(base, 0);
    std::memcpy(&info.Fixed, base + root.Value, sizeof info.Fixed);
    for (size_t at = Align4(root.Value + root.ValueLength); at < root.End;) {
        const Node block = ReadNode(base, at);
        if (block.Key == "StringFileInfo") {
            const Node table = ReadNode(base, block.Value);
            info.Table = table.Key;
            for (size_t s = table.Value; s < table.End;) {
                const Node item = ReadNode(base, s);
                const std::string value =
                    item.ValueLength ? Narrow(reinterpret_cast<const wchar_t*>(base + item.Value))
                                     : std::string();
                info.Strings.push_back({item.Key, value});
                s = Align4(item.End);
            }
        } else if (block.Key == "VarFileInfo") {
            const Node var = ReadNode(base, block.Value);
            for (size_t v = 0; v + 4 <= var.ValueLength; v += 4) {
                DWORD pair;
                std::memcpy(&pair, base + var.Value + v, 4);
                info.Translations.push_back(pair);
            }
        }
        at = Align4(block.End);
    }
    return info;
}

TEST(VersionResource, OneZeroZeroOneWithItsKeysInOrder) {
    const VersionInfo info = ReadVersion();
    EXPECT_EQ(info.Fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(info.Fixed.dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(info.Fixed.dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(info.Fixed.dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(info.Fixed.dwProductVersionLS, 0x00000001u);
    EXPECT_EQ(info.Fixed.dwFileFlags, 0u);
    EXPECT_EQ(info.Fixed.dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(info.Fixed.dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(info.Table, "040904B0");
    std::vector<std::string> keys;
    for (const auto& item : info.Strings) keys.push_back(item.first);
    EXPECT_EQ(keys,
              (std::vector<std::string>{"CompanyName", "FileDescription", "FileVersion",
                                        "InternalName", "LegalCopyright", "LegalTrademarks",
                                        "OriginalFilename", "ProductName", "ProductVersion"}));
    ASSERT_EQ(info.Strings.size(), 9u);
    EXPECT_EQ(info.Strings[0].second, "");
    EXPECT_NE(info.Strings[1].second.find("application"), std::string::npos);
    EXPECT_EQ(info.Strings[2].second, "1, 0, 0, 1");
    EXPECT_EQ(info.Strings[3].second, "KavrayZade");
    EXPECT_FALSE(info.Strings[4].second.empty());
    EXPECT_EQ(info.Strings[5].second, "");
    EXPECT_EQ(info.Strings[6].second, "KavrayZade.EXE");
    EXPECT_EQ(info.Strings[7].second, "KavrayZade Application");
    EXPECT_EQ(info.Strings[8].second, "1, 0, 0, 1");
    EXPECT_EQ(info.Translations, (std::vector<DWORD>{MAKELONG(0x0409, 0x04B0)}));
}

}  // namespace
