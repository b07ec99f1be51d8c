// Fuzz target for the option file: arbitrary bytes parsed from memory as
// they are, then as "option.xml" through COption::Load. Whatever loads must
// save and load back to the same options (colour names and paths holding "
// come back with it written as &quot;, and then stay). A crash, sanitizer
// report, leak, hang or broken round trip is a finding.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzFileSupport.h"
#include "option/Option.h"

namespace
{

using FuzzFile::Check;

std::string Snapshot(const COption& option)
{
    std::string out = std::to_string(option.m_General.m_AddReturn) + "," +
                      std::to_string(option.m_General.m_AutoScroll) + "," +
                      std::to_string(option.m_General.m_ScrollPos) + "," +
                      std::to_string(option.m_Hotkey.m_HotKey) + "," +
                      std::to_string(option.m_Hotkey.m_KeyWait) + "|";
    for (const auto& entry : option.m_Colors)
        out += entry.first + "=" + std::to_string(entry.second.m_TextColor) + "/" +
               std::to_string(entry.second.m_BackColor) + "|";
    std::string path;
    for (int32_t cursor = option.m_FileHistory.Begin(); option.m_FileHistory.GetNext(path, cursor);)
        out += path + "|";
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    FuzzFile::ParseInMemory(bytes);
    const std::string input = FuzzFile::WriteInput(bytes, "option.xml");

    COption option;
    const std::string defaults = Snapshot(option);
    const bool loaded = option.Load(input);
    Check(option.m_Colors.count(COption::kActiveCast) == 1);
    if (!loaded) {
        if (size == 0)
            Check(Snapshot(option) == defaults && option.GetError().empty());
        return 0;
    }

    // One save normalises a quote in a name or path (and may merge a name
    // with the one it becomes); from then on a save and a load must give
    // back exactly what was saved.
    const std::string first = FuzzFile::Folder() + "/first.xml";
    Check(option.Save(first));
    COption normalised;
    Check(normalised.Load(first));
    const std::string second = FuzzFile::Folder() + "/second.xml";
    Check(normalised.Save(second));
    COption again;
    Check(again.Load(second));
    Check(Snapshot(normalised) == Snapshot(again));
    const std::string third = FuzzFile::Folder() + "/third.xml";
    Check(again.Save(third));
    Check(FuzzFile::ReadAll(second) == FuzzFile::ReadAll(third));
    return 0;
}
