// CScript::Load and CScript::Save: the scenario file, in Shift_JIS or, when
// its text needs it, UTF-8 (persist/XMLEncoding.h).
//
//   <?xml version="1.0" encoding="Shift_JIS"?>
//   <script version="1.0">
//     <title>..</title> <memo>..</memo> <direction_format>..</direction_format>
//     <cast> <cast_id>n</cast_id> <name>..</name> <memo>..</memo> <format>..</format>
//     </cast>  (each cast)
//     <serif> <cast_id>n</cast_id> <serif>..</serif> <memo>..</memo> </serif>  (each serif)
//   </script>
//
// The two formats are there only when not empty. Texts are escaped on
// writing and written pretty-printed, every value on a line of its own; the
// parser trims that layout away again on reading.
#include "scenario/Script.h"

#include "persist/NumberText.h"
#include "tessel/Tessel.h"

#include <utility>

namespace
{

void AppendValue(Tessel::Element& parent, const char* name, const std::string& text)
{
    Tessel::CreateElement(name, parent)->SetText(text);
}

void AppendText(Tessel::Element& parent, const char* name, const std::string& text)
{
    AppendValue(parent, name, Tessel::EscapeEntitiesCopy(text));
}

void AppendNumber(Tessel::Element& parent, const char* name, int32_t value)
{
    AppendValue(parent, name, Tessel::FormatString(value, "%ld"));
}

// The parser has already turned the entity references of character data
// back into characters, so the text is used as it comes: decoding it a
// second time would turn a literal "&lt;" typed by the user into "<".
std::string TextOf(const Tessel::Element& parent, const char* name)
{
    return parent.GetElement(name).GetText();
}

}  // namespace

bool CScript::Save(const std::string& path) const
{
    return SaveXML(path, "script", "version", [this](Tessel::Element& root) {
        AppendText(root, "title", m_Title);
        AppendText(root, "memo", m_Memo);
        // Formats are written only when set, so a scenario without them is
        // the file it always was (and older versions skip the elements).
        if (!m_DirectionFormat.empty())
            AppendText(root, "direction_format", m_DirectionFormat);
        for (const CCast& cast : m_Casts) {
            Tessel::Element* element = Tessel::CreateElement("cast", root);
            AppendNumber(*element, "cast_id", cast.m_Id);
            AppendText(*element, "name", cast.m_Name);
            AppendText(*element, "memo", cast.m_Memo);
            if (!cast.m_Format.empty())
                AppendText(*element, "format", cast.m_Format);
        }
        for (const CSerif& serif : m_Serifs) {
            Tessel::Element* element = Tessel::CreateElement("serif", root);
            AppendNumber(*element, "cast_id", serif.m_CastId);
            AppendText(*element, "serif", serif.m_Text);
            AppendText(*element, "memo", serif.m_Memo);
        }
    });
}

// A scenario that is not there is never created; the scenario is cleared
// once the file has been read and filled from the tree.
bool CScript::Load(const std::string& path)
{
    return LoadXML(
        path, "version", false, [this] { Clear(); },
        [this](const Tessel::Element& root) {
            for (const Tessel::Node* node : root) {
                const Tessel::Element* element = node->AsElement();
                if (element == nullptr)
                    continue;
                const std::string& name = element->GetNameRef();
                if (name == "title") {
                    m_Title = element->GetText();
                } else if (name == "memo") {
                    m_Memo = element->GetText();
                } else if (name == "direction_format") {
                    m_DirectionFormat = element->GetText();
                } else if (name == "cast") {
                    CCast cast;
                    cast.m_Id = ReadDecimal(TextOf(*element, "cast_id"));
                    cast.m_Name = TextOf(*element, "name");
                    cast.m_Memo = TextOf(*element, "memo");
                    if (const Tessel::Element* format = element->FindElement("format"))
                        cast.m_Format = format->GetText();
                    m_Casts.push_back(std::move(cast));
                } else if (name == "serif") {
                    CSerif serif;
                    serif.m_CastId = ReadDecimal(TextOf(*element, "cast_id"));
                    serif.m_Text = TextOf(*element, "serif");
                    serif.m_Memo = TextOf(*element, "memo");
                    m_Serifs.push_back(std::move(serif));
                }
            }
        });
}
