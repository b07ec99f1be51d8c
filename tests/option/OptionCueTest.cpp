// The cue settings in the option file, and hotkeys named in words.
#include "option/HotKeyName.h"
#include "option/Option.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

TEST(COptionCue, LoadsWhatTheFileSaysAndDefaultsTheRest)
{
    const struct
    {
        const char* m_Element;
        const char* m_Expected;  // show, position, width, skip, back, repeat
    } cases[] = {
        {"", "1 none 480 0 0 0"},
        {"<Cue/>", "1 none 480 0 0 0"},
        {"<Cue ShowStandby=\"0\" StandbyX=\"-300\" StandbyY=\"20\" StandbyWidth=\"600\" "
         "Skip=\"0178\" Back=\"0479\" Repeat=\"007a\"/>",
         "0 -300,20 600 376 1145 122"},
        {"<Cue StandbyX=\"5\"/>", "1 none 480 0 0 0"},  // half a position is none
        {"<Cue StandbyWidth=\"3\"/>", "1 none 120 0 0 0"},
        {"<Cue StandbyWidth=\"99999\" Skip=\"10077\"/>", "1 none 4000 119 0 0"},
        {"<Cue ShowStandby=\"7\"/><Later/>", "1 none 480 0 0 0"},
    };
    for (const auto& c : cases) {
        CTempFolder folder;
        const std::string path = folder.File("option.xml");
        WriteBytes(path, std::string("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
                                     "<Option Version=\"1.0\">") +
                             c.m_Element + "</Option>\r\n");
        COption option;
        ASSERT_TRUE(option.Load(path)) << c.m_Element;
        const COptionCue& cue = option.m_Cue;
        const std::string position = cue.m_HasPosition ? std::to_string(cue.m_StandbyX) + "," +
                                                             std::to_string(cue.m_StandbyY)
                                                       : "none";
        EXPECT_EQ(c.m_Expected, std::to_string(cue.m_ShowStandby) + " " + position + " " +
                                    std::to_string(cue.m_StandbyWidth) + " " +
                                    std::to_string(cue.m_Skip) + " " + std::to_string(cue.m_Back) +
                                    " " + std::to_string(cue.m_Repeat))
            << c.m_Element;

        // Saved and loaded again, the same.
        ASSERT_TRUE(option.Save(path));
        COption again;
        ASSERT_TRUE(again.Load(path));
        EXPECT_EQ(cue.m_HasPosition, again.m_Cue.m_HasPosition);
        EXPECT_EQ(cue.m_StandbyX, again.m_Cue.m_StandbyX);
        EXPECT_EQ(cue.m_StandbyWidth, again.m_Cue.m_StandbyWidth);
        EXPECT_EQ(cue.m_Back, again.m_Cue.m_Back);
    }
}

TEST(HotKeyName, NamesModifiersAndKeys)
{
    const struct
    {
        uint16_t m_HotKey;
        const char* m_Name;
    } cases[] = {
        {0x0078, "F9"},     {0x0178, "Shift+F9"},      {0x0751, "Ctrl+Shift+Alt+Q"},
        {0x0230, "Ctrl+0"}, {0x0465, "Alt+Num 5"},     {0x0887, "F24"},
        {0x002D, "Insert"}, {0x0A22, "Ctrl+PageDown"}, {0x00BA, "0xBA"},
        {0x0000, "0x00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.m_Name, HotKeyName(c.m_HotKey)) << c.m_HotKey;
}
