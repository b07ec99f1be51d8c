// The paste settings in the option file: defaults when the element or an
// attribute is missing, clamped waits, key names, and files with elements
// this version does not know.
#include "option/Option.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

std::string File(const std::string& elements)
{
    return "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<Option Version=\"1.0\">\r\n"
           "<General AddReturn=\"0\" AutoScroll=\"1\" ScrollPos=\"7\"/>\r\n"
           "<HotKey HotKey=\"0477\" KeyWait=\"250\"/>\r\n" +
           elements + "</Option>\r\n";
}

std::string Describe(const COptionPaste& paste)
{
    return std::string(PasteKeyName(paste.m_Key)) + " enter " + std::to_string(paste.m_EnterWait) +
           " keep " + std::to_string(paste.m_KeepOutOfHistory) + " restore " +
           std::to_string(paste.m_RestoreClipboard) + " after " +
           std::to_string(paste.m_RestoreWait);
}

}  // namespace

TEST(COptionPaste, LoadsWhatTheFileSaysAndDefaultsTheRest)
{
    const struct
    {
        const char* m_Elements;
        const char* m_Expected;
    } cases[] = {
        {"", "CtrlV enter 0 keep 1 restore 0 after 500"},
        {"<Paste/>", "CtrlV enter 0 keep 1 restore 0 after 500"},
        {"<Paste Key=\"ShiftInsert\"/>", "ShiftInsert enter 0 keep 1 restore 0 after 500"},
        {"<Paste Key=\"CtrlShiftV\" EnterWait=\"120\" KeepOutOfHistory=\"0\" "
         "RestoreClipboard=\"1\" RestoreWait=\"900\"/>",
         "CtrlShiftV enter 120 keep 0 restore 1 after 900"},
        {"<Paste Key=\"ctrlv\" EnterWait=\"-5\" RestoreWait=\"20000\"/>",
         "CtrlV enter 0 keep 1 restore 0 after 10000"},
        {"<Paste EnterWait=\"10000\" RestoreWait=\"0\" RestoreClipboard=\"7\"/>",
         "CtrlV enter 10000 keep 1 restore 1 after 0"},
        {"<Paste EnterWait=\"99999999999\"/>", "CtrlV enter 10000 keep 1 restore 0 after 500"},
        // Elements of later versions are passed over, wherever they are.
        {"<Cue ShowStandby=\"1\"><Inner/></Cue><Paste EnterWait=\"30\"/><Later/>",
         "CtrlV enter 30 keep 1 restore 0 after 500"},
    };
    for (const auto& c : cases) {
        CTempFolder folder;
        const std::string path = folder.File("option.xml");
        WriteBytes(path, File(c.m_Elements));
        COption option;
        ASSERT_TRUE(option.Load(path)) << c.m_Elements;
        EXPECT_EQ(c.m_Expected, Describe(option.m_Paste)) << c.m_Elements;
        EXPECT_EQ(0, option.m_General.m_AddReturn) << c.m_Elements;
        EXPECT_EQ(7, option.m_General.m_ScrollPos) << c.m_Elements;
        EXPECT_EQ(0x0477, option.m_Hotkey.m_HotKey) << c.m_Elements;
        EXPECT_EQ(250, option.m_Hotkey.m_KeyWait) << c.m_Elements;
    }
}

TEST(COptionPaste, SavesClampedAndComesBack)
{
    CTempFolder folder;
    const std::string path = folder.File("option.xml");
    COption option;
    option.m_Paste.m_Key = EPasteKey::ShiftInsert;
    option.m_Paste.m_EnterWait = -1;
    option.m_Paste.m_RestoreWait = 12345;
    option.m_Paste.m_RestoreClipboard = 1;
    option.m_Paste.m_KeepOutOfHistory = 0;
    option.m_Paste.m_EscapeMarkup = 5;
    option.m_Paste.m_LengthWarning = 200000;
    ASSERT_TRUE(option.Save(path));
    EXPECT_NE(std::string::npos,
              ReadBytes(path).find("\t<Paste Key=\"ShiftInsert\" EnterWait=\"0\" "
                                   "KeepOutOfHistory=\"0\" RestoreClipboard=\"1\" "
                                   "RestoreWait=\"10000\" EscapeMarkup=\"1\" "
                                   "LengthWarning=\"100000\"/>\r\n"));
    COption loaded;
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_EQ("ShiftInsert enter 0 keep 0 restore 1 after 10000", Describe(loaded.m_Paste));
    EXPECT_EQ(1, loaded.m_Paste.m_EscapeMarkup);
    EXPECT_EQ(100000, loaded.m_Paste.m_LengthWarning);

    // A negative length from a hand-edited file is "off".
    WriteBytes(path, File("<Paste EscapeMarkup=\"0\" LengthWarning=\"-3\"/>"));
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_EQ(0, loaded.m_Paste.m_EscapeMarkup);
    EXPECT_EQ(0, loaded.m_Paste.m_LengthWarning);
}
