// The program's own resources as the running program loads them: the menu
// bar's popups and ids, the accelerators, the toolbar strip and icon drawn
// by res/images/make_images.py, and the tooltip strings.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"

namespace
{

std::string MenuText(HMENU menu, UINT position)
{
    char text[256] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

std::string String(UINT id)
{
    char text[256] = {};
    LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return text;
}

}  // namespace

// The suite carries the program's manifest: what it asks for is what the
// program runs with.
TEST(Resources, ManifestAsksForTheUtf8CodePageAndGetsIt)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(nullptr, found);
    const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    const std::string manifest(data, SizeofResource(module, found));
    EXPECT_NE(std::string::npos,
              manifest.find("<activeCodePage xmlns=\"http://schemas.microsoft.com/"
                            "SMI/2019/WindowsSettings\">UTF-8</activeCodePage>"));
    EXPECT_EQ(static_cast<UINT>(CP_UTF8), GetACP());
}

TEST(Resources, MenuBarHasSevenPopupsInOrder)
{
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINMENU));
    ASSERT_NE(nullptr, menu);
    const std::vector<std::string> popups = {"ﾌｧｲﾙ(&F)", "編集(&E)", "検索(&S)", "書式(&O)",
                                             "監視(&M)", "ﾂｰﾙ(&T)",  "ﾍﾙﾌﾟ(&H)"};
    ASSERT_EQ(static_cast<int>(popups.size()), GetMenuItemCount(menu));
    for (size_t i = 0; i < popups.size(); ++i)
        EXPECT_EQ(popups[i], MenuText(menu, static_cast<UINT>(i)));

    HMENU file = GetSubMenu(menu, 0);
    EXPECT_EQ("新規作成(&N)\tCtrl+N", MenuText(file, 0));
    EXPECT_EQ(static_cast<UINT>(IDM_FILE_NEW), GetMenuItemID(file, 0));
    HMENU recent = GetSubMenu(file, 2);
    ASSERT_NE(nullptr, recent);
    EXPECT_EQ("最近使ったファイル(&R)", MenuText(file, 2));
    ASSERT_EQ(1, GetMenuItemCount(recent));
    EXPECT_EQ(static_cast<UINT>(IDM_FILE_CLEAR_HISTORY), GetMenuItemID(recent, 0));
    EXPECT_EQ(static_cast<UINT>(IDM_FILE_EXIT), GetMenuItemID(file, GetMenuItemCount(file) - 1));
    EXPECT_EQ("インポート(テキスト)...", MenuText(file, 7));
    EXPECT_EQ(static_cast<UINT>(IDM_IMPORT_TEXT), GetMenuItemID(file, 7));
    EXPECT_EQ("エクスポート(テキスト)...", MenuText(file, 8));
    EXPECT_EQ(static_cast<UINT>(IDM_EXPORT_TEXT), GetMenuItemID(file, 8));

    HMENU edit = GetSubMenu(menu, 1);
    EXPECT_EQ(17, GetMenuItemCount(edit));
    EXPECT_EQ("元に戻す(&U)\tCtrl+Z", MenuText(edit, 0));
    EXPECT_EQ(static_cast<UINT>(IDM_UNDO), GetMenuItemID(edit, 0));
    EXPECT_EQ("やり直し(&R)\tCtrl+Y", MenuText(edit, 1));
    EXPECT_EQ(static_cast<UINT>(IDM_REDO), GetMenuItemID(edit, 1));
    EXPECT_EQ("テキストから貼り付け", MenuText(edit, 9));
    EXPECT_EQ(static_cast<UINT>(IDM_PASTE_TEXT), GetMenuItemID(edit, 9));
    EXPECT_EQ("セリフを一つ下に(&W)\tCtrl+D", MenuText(edit, 12));
    EXPECT_EQ(static_cast<UINT>(IDM_SERIF_DOWN), GetMenuItemID(edit, 12));
    EXPECT_EQ(static_cast<UINT>(IDM_JUMP), GetMenuItemID(GetSubMenu(menu, 2), 6));
    EXPECT_EQ(static_cast<UINT>(IDM_ADD_RETURN), GetMenuItemID(GetSubMenu(menu, 3), 0));
    EXPECT_EQ("監視開始(&M)\tF5", MenuText(GetSubMenu(menu, 4), 0));
    EXPECT_EQ(static_cast<UINT>(IDM_OPTIONS), GetMenuItemID(GetSubMenu(menu, 5), 0));
    EXPECT_EQ(static_cast<UINT>(IDM_ABOUT), GetMenuItemID(GetSubMenu(menu, 6), 0));
    DestroyMenu(menu);
}

TEST(Resources, AcceleratorsMapKeysToCommands)
{
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ASSERT_NE(nullptr, table);
    ACCEL entries[64] = {};
    const int count = CopyAcceleratorTableA(table, entries, 64);
    ASSERT_EQ(24, count);
    auto find = [&](BYTE flags, WORD key) -> int {
        for (int i = 0; i < count; ++i) {
            if ((entries[i].fVirt & ~FNOINVERT) == flags && entries[i].key == key)
                return entries[i].cmd;
        }
        return -1;
    };
    for (int i = 0; i < count; ++i)
        EXPECT_TRUE(entries[i].fVirt & FNOINVERT) << i;
    EXPECT_EQ(IDM_FOCUS_TOGGLE, find(FVIRTKEY, VK_TAB));
    EXPECT_EQ(IDM_LIST_ADD, find(FVIRTKEY | FCONTROL, VK_INSERT));
    EXPECT_EQ(IDM_LIST_INSERT, find(FVIRTKEY, VK_INSERT));
    EXPECT_EQ(IDM_FIND_DOWN, find(FVIRTKEY, VK_F3));
    EXPECT_EQ(IDM_FIND_UP, find(FVIRTKEY | FSHIFT, VK_F3));
    EXPECT_EQ(IDM_FILE_NEW, find(FVIRTKEY | FCONTROL, 'N'));
    EXPECT_EQ(IDM_COPY_SERIF, find(FVIRTKEY | FCONTROL, 'C'));
    EXPECT_EQ(IDM_UNDO, find(FVIRTKEY | FCONTROL, 'Z'));
    EXPECT_EQ(IDM_REDO, find(FVIRTKEY | FCONTROL, 'Y'));
    EXPECT_EQ(IDM_ABOUT, find(FALT, '/'));
    EXPECT_EQ(IDM_ABOUT, find(FALT, '?'));
    DestroyAcceleratorTable(table);
}

TEST(Resources, ToolbarStripHoldsTwentyImagesWithGreyBackground)
{
    HBITMAP strip = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TOOLBAR));
    ASSERT_NE(nullptr, strip);
    BITMAP info = {};
    ASSERT_TRUE(GetObjectA(strip, sizeof info, &info));
    EXPECT_EQ(20 * 16, info.bmWidth);
    EXPECT_EQ(16, info.bmHeight);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, strip);
    // The corners are transparent grey; every used image has drawn pixels.
    EXPECT_EQ(RGB(192, 192, 192), GetPixel(dc, 0, 0));
    for (int image : {0, 1, 2, 4, 10, 11, 12, 16, 17, 18, 19}) {
        int drawn = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x)
                drawn += GetPixel(dc, image * 16 + x, y) != RGB(192, 192, 192);
        }
        EXPECT_GT(drawn, 20) << "image " << image;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    DeleteObject(strip);
}

TEST(Resources, IconLoadsInBothSizes)
{
    for (int size : {16, 32}) {
        HICON icon = static_cast<HICON>(LoadImageA(
            GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_ROLECUE), IMAGE_ICON, size, size, 0));
        ASSERT_NE(nullptr, icon) << size;
        DestroyIcon(icon);
    }
}

TEST(Resources, TooltipStringsNameTheirCommands)
{
    EXPECT_EQ("新規作成", String(IDS_TIP_NEW));
    EXPECT_EQ("開く", String(IDS_TIP_OPEN));
    EXPECT_EQ("上書き保存", String(IDS_TIP_SAVE));
    EXPECT_EQ("検索", String(IDS_TIP_FIND));
    EXPECT_EQ("上を検索", String(IDS_TIP_FIND_UP));
    EXPECT_EQ("下を検索", String(IDS_TIP_FIND_DOWN));
    EXPECT_EQ("セリフを一つ上に", String(IDS_TIP_SERIF_UP));
    EXPECT_EQ("セリフを一つ下に", String(IDS_TIP_SERIF_DOWN));
    EXPECT_EQ("キャスト編集", String(IDS_TIP_CAST_EDIT));
    EXPECT_EQ("シナリオ設定", String(IDS_TIP_SCRIPT_SETTINGS));
    EXPECT_EQ("監視開始", String(IDS_TIP_MONITOR));
}
