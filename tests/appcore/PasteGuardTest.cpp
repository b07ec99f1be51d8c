// The keys around a paste: each paste keystroke with the Enter wait, the
// key-ups for modifiers still held, and the integrity check of the target.
#include "appcore/PasteGuard.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{

// A key plan written as text: "+11" press, "-11" release, "w100" a wait.
std::string Text(const std::vector<CKeyStep>& keys)
{
    std::string out;
    char step[8];
    for (const CKeyStep& key : keys) {
        if (key.m_Kind == CKeyStep::Wait)
            std::snprintf(step, sizeof step, "w%u", static_cast<unsigned>(key.m_WaitMs));
        else
            std::snprintf(step, sizeof step, "%c%02X", key.m_Kind == CKeyStep::Press ? '+' : '-',
                          key.m_VirtualKey);
        out += (out.empty() ? "" : " ") + std::string(step);
    }
    return out;
}

class CFakeProbe : public IIntegrityProbe
{
public:
    CFakeProbe(int64_t own, int64_t target) : m_Own(own), m_Target(target) {}
    bool ReadOwnLevel(uint32_t& level) override { return Read(m_Own, level); }
    bool ReadTargetLevel(uint32_t& level) override { return Read(m_Target, level); }

private:
    static bool Read(int64_t value, uint32_t& level)
    {
        if (value < 0)
            return false;
        level = static_cast<uint32_t>(value);
        return true;
    }
    int64_t m_Own, m_Target;
};

}  // namespace

TEST(PasteKeyPlan, EachKeystrokeWithAndWithoutEnterAndItsWait)
{
    const struct
    {
        EPasteKey m_Key;
        bool m_AddReturn;
        uint32_t m_EnterWait;
        const char* m_Expected;
    } cases[] = {
        {EPasteKey::CtrlV, false, 0, "+11 +56 w80 -11 -56"},
        {EPasteKey::CtrlV, true, 0, "+11 +56 w80 -11 -56 +0D -0D"},
        {EPasteKey::CtrlV, true, 300, "+11 +56 w80 -11 -56 w300 +0D -0D"},
        {EPasteKey::CtrlV, false, 300, "+11 +56 w80 -11 -56"},
        {EPasteKey::ShiftInsert, false, 0, "+10 +2D w80 -10 -2D"},
        {EPasteKey::ShiftInsert, true, 10000, "+10 +2D w80 -10 -2D w10000 +0D -0D"},
        {EPasteKey::CtrlShiftV, false, 0, "+11 +10 +56 w80 -11 -10 -56"},
        {EPasteKey::CtrlShiftV, true, 5, "+11 +10 +56 w80 -11 -10 -56 w5 +0D -0D"},
    };
    for (const auto& c : cases) {
        CPasteSettings settings;
        settings.m_PasteKey = c.m_Key;
        settings.m_AddReturn = c.m_AddReturn;
        settings.m_EnterWaitMs = c.m_EnterWait;
        settings.m_KeyWaitMs = 80;
        settings.m_AutoScroll = false;
        CPasteSequencer sequencer;
        EXPECT_EQ(c.m_Expected, Text(sequencer.PlanPaste({0}, 0, -1, settings, 10).m_Keys))
            << PasteKeyName(c.m_Key) << " " << c.m_AddReturn << " " << c.m_EnterWait;
    }
}

TEST(PasteHeldKeys, ShiftGoesUpPlainlyAltAndWindowsKeysBehindOneMask)
{
    const struct
    {
        std::vector<uint8_t> m_Held;
        const char* m_Expected;
    } cases[] = {
        {{}, ""},
        {{0xA0}, "-A0"},
        {{0xA1, 0xA0}, "-A0 -A1"},
        {{0xA4}, "+E8 -E8 -A4"},
        {{0xA5}, "+E8 -E8 -A5"},
        {{0x5B}, "+E8 -E8 -5B"},
        {{0x5C, 0xA4}, "+E8 -E8 -A4 -5C"},
        {{0xA4, 0xA0}, "-A0 +E8 -E8 -A4"},
        {{0x5C, 0x5B, 0xA5, 0xA4, 0xA1, 0xA0}, "-A0 -A1 +E8 -E8 -A4 -A5 -5B -5C"},
        // Ctrl, and anything else, is left alone.
        {{0x11, 0xA2, 0xA3, 0x56}, ""},
        {{0xA3, 0xA4}, "+E8 -E8 -A4"},
    };
    for (const auto& c : cases) {
        std::string held;
        for (uint8_t key : c.m_Held)
            held += std::to_string(key) + " ";
        EXPECT_EQ(c.m_Expected, Text(PlanHeldKeyUps(c.m_Held))) << "held: " << held;
    }
}

TEST(PasteIntegrity, RefusesOnlyATargetKnownToBeAboveUs)
{
    const struct
    {
        int64_t m_Own, m_Target;
        bool m_Refused;
    } cases[] = {
        {0x2000, 0x3000, true},   // medium, an administrator's window
        {0x2000, 0x4000, true},   // medium, a system process
        {0x1000, 0x2000, true},   // low (sandboxed), medium
        {0x2000, 0x2000, false},  // same level
        {0x3000, 0x2000, false},  // we run as administrator
        {0x2000, 0x0000, false},  // untrusted target
        {0x2000, -1, false},      // target level unreadable
        {-1, 0x3000, false},      // own level unreadable
        {-1, -1, false},
    };
    for (const auto& c : cases) {
        CFakeProbe probe(c.m_Own, c.m_Target);
        EXPECT_EQ(c.m_Refused, IsTargetAboveUs(probe)) << c.m_Own << " " << c.m_Target;
    }
}
