#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ControlsSupport.h"
#include "wnd/CheckBox.h"
#include "wnd/EditBox.h"
#include "wnd/HotKeyCtrl.h"
#include "wnd/ImageList.h"
#include "wnd/Static.h"

namespace
{

HMENU ControlId(int id)
{
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

std::string Repeat(const char* piece, size_t count)
{
    std::string text;
    for (size_t i = 0; i < count; ++i)
        text += piece;
    return text;
}

std::string WindowText(HWND hwnd)
{
    char buffer[512] = {};
    GetWindowTextA(hwnd, buffer, sizeof(buffer));
    return buffer;
}

// ---------------------------------------------------------------- CStatic

class StaticTest : public ::testing::Test
{
protected:
    ctltest::CTestWindow m_Parent;
};

TEST_F(StaticTest, CreateMakesBoundStaticChildWithTextAndId)
{
    CStatic label;
    ASSERT_EQ(
        1, label.Create(m_Parent.Get(), "ヒント", WS_CHILD | WS_VISIBLE, 0, 0, 0, 100, 20, 20001));
    char className[32] = {};
    GetClassNameA(label.GetHandle(), className, sizeof(className));
    EXPECT_EQ(0, lstrcmpiA("Static", className));
    EXPECT_EQ(std::string("ヒント"), WindowText(label.GetHandle()));
    EXPECT_EQ(20001, label.GetId());
    EXPECT_EQ(m_Parent.Get(), label.GetParentWindow());
}

// ---------------------------------------------------------------- CEditBox

class EditBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(1, m_Edit.CreateChild("EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 0,
                                        200, 20, m_Parent.Get(), ControlId(1016)));
        m_Edit.Send(EM_LIMITTEXT, 0);  // the control's maximum
    }

    ctltest::CTestWindow m_Parent;
    CEditBox m_Edit;
};

TEST_F(EditBoxTest, GetTextReturnsShortTextWhole)
{
    SetWindowTextA(m_Edit.GetHandle(), "台詞 line");
    EXPECT_STREQ("台詞 line", m_Edit.GetText());
}

TEST_F(EditBoxTest, GetTextCutsLongTextToFirst1023Bytes)
{
    const std::string text = Repeat("0123456789", 200);
    SetWindowTextA(m_Edit.GetHandle(), text.c_str());
    EXPECT_EQ(text.substr(0, 1023), m_Edit.GetText());
    const std::string exact(1023, 'x');
    SetWindowTextA(m_Edit.GetHandle(), exact.c_str());
    EXPECT_EQ(exact, m_Edit.GetText());
    const std::string over(1024, 'y');
    SetWindowTextA(m_Edit.GetHandle(), over.c_str());
    EXPECT_EQ(over.substr(0, 1023), m_Edit.GetText());
}

TEST_F(EditBoxTest, GetTextCutsBetweenCharactersAtTheShiftJisWidth)
{
    // A kanji counts 2, as its two Shift_JIS bytes did: 511 of them fit.
    SetWindowTextA(m_Edit.GetHandle(), Repeat("表", 600).c_str());
    EXPECT_EQ(Repeat("表", 511), m_Edit.GetText());
    SetWindowTextA(m_Edit.GetHandle(), ("a" + Repeat("😊", 600)).c_str());
    EXPECT_EQ("a" + Repeat("😊", 511), m_Edit.GetText());
}

TEST_F(EditBoxTest, GetFullTextReturnsWholeLongText)
{
    const std::string text = Repeat("0123456789", 500);
    SetWindowTextA(m_Edit.GetHandle(), text.c_str());
    EXPECT_EQ(text, m_Edit.GetFullText());
}

TEST_F(EditBoxTest, GetFullTextKeepsEveryCharacterExactly)
{
    const std::string text = Repeat("表ソa♡😊𠮷ʕ•ᴥ•ʔ", 700);
    SetWindowTextA(m_Edit.GetHandle(), text.c_str());
    EXPECT_EQ(text, m_Edit.GetFullText());
}

TEST_F(EditBoxTest, GetFullTextOfEmptyBoxIsEmpty)
{
    SetWindowTextA(m_Edit.GetHandle(), "x");
    m_Edit.GetFullText();
    SetWindowTextA(m_Edit.GetHandle(), "");
    EXPECT_STREQ("", m_Edit.GetFullText());
}

TEST_F(EditBoxTest, SetTextFormatFormatsOneInteger)
{
    EXPECT_NE(0, m_Edit.SetTextFormat(42, "%d"));
    EXPECT_STREQ("42", m_Edit.GetText());
    m_Edit.SetTextFormat(255, "%04x");
    EXPECT_STREQ("00ff", m_Edit.GetText());
    m_Edit.SetTextFormat(-1, "%ld");
    EXPECT_STREQ("-1", m_Edit.GetText());
}

TEST_F(EditBoxTest, SetTextFormatKeepsAtMost255Bytes)
{
    const std::string format = std::string(300, 'f') + "%d";
    ASSERT_NE(0, m_Edit.SetTextFormat(7, format.c_str()));
    EXPECT_EQ(std::string(255, 'f'), m_Edit.GetText());
}

TEST_F(EditBoxTest, SetTextFormatWithNullFormatDoesNothing)
{
    SetWindowTextA(m_Edit.GetHandle(), "kept");
    EXPECT_EQ(0, m_Edit.SetTextFormat(1, nullptr));
    EXPECT_STREQ("kept", m_Edit.GetText());
}

TEST(CEditBox, UnboundGivesEmptyTextAndDoesNothing)
{
    CEditBox edit;
    EXPECT_STREQ("", edit.GetText());
    EXPECT_STREQ("", edit.GetFullText());
    EXPECT_EQ(0, edit.SetTextFormat(1, "%d"));
    EXPECT_FALSE(edit.SetText("x"));
}

// ---------------------------------------------------------------- CCheckBox

class CheckBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(1, m_Box.CreateChild("BUTTON", "add return", WS_CHILD | BS_AUTO3STATE, 0, 0, 0,
                                       100, 20, m_Parent.Get(), ControlId(1101)));
    }

    ctltest::CTestWindow m_Parent;
    CCheckBox m_Box;
};

TEST_F(CheckBoxTest, SetCheckShowsInIsChecked)
{
    EXPECT_FALSE(m_Box.IsChecked());
    m_Box.SetCheck(1);
    EXPECT_TRUE(m_Box.IsChecked());
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(m_Parent.Get(), 1101));
    m_Box.SetCheck(0);
    EXPECT_FALSE(m_Box.IsChecked());
}

TEST_F(CheckBoxTest, AnyNonZeroFlagChecks)
{
    m_Box.SetCheck(5);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(m_Parent.Get(), 1101));
    m_Box.SetCheck(-1);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(m_Parent.Get(), 1101));
}

TEST_F(CheckBoxTest, GreyThirdStateIsNotChecked)
{
    m_Box.Send(BM_SETCHECK, BST_INDETERMINATE);
    EXPECT_FALSE(m_Box.IsChecked());
}

TEST(CCheckBox, UnboundIsNotChecked)
{
    CCheckBox box;
    EXPECT_FALSE(box.IsChecked());
    box.SetCheck(1);
}

// ---------------------------------------------------------------- CHotKeyCtrl

class HotKeyCtrlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(1, m_Hotkey.CreateChild(HOTKEY_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 120,
                                          20, m_Parent.Get(), ControlId(1201)));
    }

    ctltest::CTestWindow m_Parent;
    CHotKeyCtrl m_Hotkey;
};

TEST_F(HotKeyCtrlTest, GetHotKeyReadsKeyAndModifiersAndKeepsThem)
{
    EXPECT_EQ(0, m_Hotkey.GetLastHotKey());
    m_Hotkey.SetHotKey('P', HOTKEYF_CONTROL | HOTKEYF_ALT);
    EXPECT_EQ(MAKEWORD('P', HOTKEYF_CONTROL | HOTKEYF_ALT), m_Hotkey.GetHotKey());
    EXPECT_EQ(MAKEWORD('P', HOTKEYF_CONTROL | HOTKEYF_ALT), m_Hotkey.GetLastHotKey());
}

TEST_F(HotKeyCtrlTest, RulesReplaceInvalidCombinationOfTypedKey)
{
    m_Hotkey.SetRules(HKCOMB_NONE, HOTKEYF_CONTROL);
    SetFocus(m_Hotkey.GetHandle());
    m_Hotkey.Send(WM_KEYDOWN, 'A', 0x001E0001);
    m_Hotkey.Send(WM_KEYUP, 'A', 0xC01E0001);
    EXPECT_EQ(MAKEWORD('A', HOTKEYF_CONTROL), m_Hotkey.GetHotKey());
}

TEST(CHotKeyCtrl, ConstructorRegistersControlClass)
{
    CHotKeyCtrl hotkey;
    WNDCLASSEXA info = {};
    info.cbSize = sizeof(info);
    EXPECT_TRUE(GetClassInfoExA(nullptr, HOTKEY_CLASSA, &info));
}

TEST(CHotKeyCtrl, UnboundReadsZeroAndKeepsLastValue)
{
    CHotKeyCtrl hotkey;
    EXPECT_EQ(0, hotkey.GetHotKey());
    hotkey.SetHotKey('A', HOTKEYF_SHIFT);
    hotkey.SetRules(HKCOMB_NONE, HOTKEYF_ALT);
    EXPECT_EQ(0, hotkey.GetLastHotKey());
}

TEST(HotkeyToModifiers, MapsEachModifier)
{
    EXPECT_EQ(static_cast<UINT>(MOD_SHIFT), HotkeyToModifiers(HOTKEYF_SHIFT));
    EXPECT_EQ(static_cast<UINT>(MOD_CONTROL), HotkeyToModifiers(HOTKEYF_CONTROL));
    EXPECT_EQ(static_cast<UINT>(MOD_ALT), HotkeyToModifiers(HOTKEYF_ALT));
    EXPECT_EQ(7u, HotkeyToModifiers(7));
    EXPECT_EQ(4u, HotkeyToModifiers(1));
    EXPECT_EQ(1u, HotkeyToModifiers(4));
}

TEST(HotkeyToModifiers, DropsExtendedAndUnknownBits)
{
    EXPECT_EQ(0u, HotkeyToModifiers(HOTKEYF_EXT));
    EXPECT_EQ(0u, HotkeyToModifiers(0xF0));
    EXPECT_EQ(static_cast<UINT>(MOD_CONTROL | MOD_SHIFT),
              HotkeyToModifiers(HOTKEYF_EXT | HOTKEYF_CONTROL | HOTKEYF_SHIFT | 0x80));
}

// ---------------------------------------------------------------- CImageList

HBITMAP MakeBitmap(int width, int height)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

TEST(CImageList, CreateRejectsNegativeSizesWithoutList)
{
    CImageList list;
    EXPECT_EQ(0, list.Create(-1, 16, 4, ILC_COLOR24 | ILC_MASK));
    EXPECT_EQ(0, list.Create(16, -1, 4, ILC_COLOR24 | ILC_MASK));
    EXPECT_EQ(0, list.Create(16, 16, -4, ILC_COLOR24 | ILC_MASK));
    EXPECT_EQ(nullptr, list.GetHandle());
}

TEST(CImageList, AddMaskedAddsOneImagePerWidth)
{
    CImageList list;
    ASSERT_EQ(1, list.Create(16, 16, 4, ILC_COLOR24 | ILC_MASK));
    HBITMAP strip = MakeBitmap(48, 16);
    ASSERT_NE(nullptr, strip);
    EXPECT_EQ(0, list.AddMasked(strip, RGB(255, 0, 255)));
    EXPECT_EQ(3, list.GetImageCount());
    EXPECT_EQ(3, list.AddMasked(strip, RGB(255, 0, 255)));
    DeleteObject(strip);  // the list keeps its own copy
    EXPECT_EQ(6, list.GetImageCount());
}

TEST(CImageList, AddMaskedWithoutListOrBitmapIsRefused)
{
    CImageList list;
    HBITMAP strip = MakeBitmap(16, 16);
    EXPECT_EQ(-1, list.AddMasked(strip, 0));
    ASSERT_EQ(1, list.Create(16, 16, 1, ILC_COLOR24 | ILC_MASK));
    EXPECT_EQ(-1, list.AddMasked(nullptr, 0));
    EXPECT_EQ(0, list.GetImageCount());
    DeleteObject(strip);
}

TEST(CImageList, CreateAgainReplacesListAndDestroyEndsIt)
{
    CImageList list;
    ASSERT_EQ(1, list.Create(16, 16, 1, ILC_COLOR24 | ILC_MASK));
    HBITMAP strip = MakeBitmap(32, 16);
    list.AddMasked(strip, 0);
    DeleteObject(strip);
    ASSERT_EQ(1, list.Create(8, 8, 1, ILC_COLOR24));
    EXPECT_EQ(0, list.GetImageCount());
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(list.GetHandle(), &width, &height);
    EXPECT_EQ(8, width);
    EXPECT_NE(0, list.Destroy());
    EXPECT_EQ(nullptr, list.GetHandle());
    EXPECT_EQ(0, list.Destroy());
}

}  // namespace
