// Fuzz target for the scenario file: arbitrary bytes parsed from memory as
// they are, then as a file through CScript::Load, into a scenario that
// already holds data. Whatever loads must save, load back to the same
// scenario, and save to the same bytes again; what loads is valid UTF-8. A crash, sanitizer report,
// leak, hang or broken round trip is a finding.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzFileSupport.h"
#include "scenario/Script.h"
#include "text/Utf8.h"

namespace
{

using FuzzFile::Check;

bool Same(const CScript& a, const CScript& b)
{
    if (a.GetTitle() != b.GetTitle() || a.GetMemo() != b.GetMemo() ||
        a.GetCastCount() != b.GetCastCount() || a.GetSerifCount() != b.GetSerifCount())
        return false;
    for (int32_t i = 0; i < a.GetCastCount(); ++i) {
        const CCast& x = a.GetCast(i);
        const CCast& y = b.GetCast(i);
        if (x.m_Id != y.m_Id || x.m_Name != y.m_Name || x.m_Memo != y.m_Memo)
            return false;
    }
    for (int32_t i = 0; i < a.GetSerifCount(); ++i) {
        const CSerif& x = a.GetSerif(i);
        const CSerif& y = b.GetSerif(i);
        if (x.m_CastId != y.m_CastId || x.m_Text != y.m_Text || x.m_Memo != y.m_Memo)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    FuzzFile::ParseInMemory(bytes);
    const std::string input = FuzzFile::WriteInput(bytes, "input.xml");

    CScript script;
    script.SetTitle("before");
    script.AddCast(CCast(1, "cast"));
    script.AddSerif(CSerif(1, "serif"));
    const bool loaded = script.Load(input);
    if (size == 0) {
        Check(!loaded && script.GetTitle() == "before" && script.GetError().empty());
        return 0;
    }
    if (!loaded) {
        // A failure after the file was read always says why.
        Check(!script.GetError().empty());
        return 0;
    }

    // Whatever the file's encoding, the scenario holds UTF-8.
    Check(IsValidUtf8(script.GetTitle()) && IsValidUtf8(script.GetMemo()));
    for (const CCast& cast : script.GetCasts())
        Check(IsValidUtf8(cast.m_Name) && IsValidUtf8(cast.m_Memo));
    for (const CSerif& serif : script.GetSerifs())
        Check(IsValidUtf8(serif.m_Text) && IsValidUtf8(serif.m_Memo));

    const std::string saved = FuzzFile::Folder() + "/saved.xml";
    Check(script.Save(saved));
    CScript again;
    Check(again.Load(saved));
    Check(Same(script, again));
    const std::string resaved = FuzzFile::Folder() + "/resaved.xml";
    Check(again.Save(resaved));
    Check(FuzzFile::ReadAll(saved) == FuzzFile::ReadAll(resaved));
    return 0;
}
