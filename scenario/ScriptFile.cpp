// CScript::Load and CScript::Save: the scenario file, in Shift_JIS or, when
// its text needs it, UTF-8 (persist/XMLEncoding.h).
//
//   <?xml version="1.0" encoding="Shift_JIS"?>
//   <script version="1.0">
//     <title>..</title> <memo>..</memo>
//     <cast> <cast_id>n</cast_id> <name>..</name> <memo>..</memo> </cast>  (each cast)
//     <serif> <cast_id>n</cast_id> <serif>..</serif> <memo>..</memo> </serif>  (each serif)
//   </script>
//
// Texts are escaped on writing and written pretty-printed, every value on a
// line of its own; the parser trims that layout away again on reading.
#include "scenario/Script.h"

#include "persist/NumberText.h"
#include "persist/XMLEncoding.h"
#include "tessel/Tessel.h"

#include <exception>
#include <memory>
#include <utility>

namespace
{

const char kVersion[] = "1.0";

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

struct CDocumentDeleter
{
    void operator()(Tessel::Document* document) const { document->Release(); }
};
using CDocumentPtr = std::unique_ptr<Tessel::Document, CDocumentDeleter>;

}  // namespace

bool CScript::Save(const std::string& path) const
{
    if (path.empty())
        return false;
    std::string text;
    try {
        CDocumentPtr document(Tessel::CreateDocument("script"));
        Tessel::CreateAttribute("version", kVersion, *document);
        Tessel::CreateAttribute("encoding", "Shift_JIS", *document);
        Tessel::Element& root = document->GetRootElement();
        Tessel::CreateAttribute("version", kVersion, root);

        AppendText(root, "title", m_Title);
        AppendText(root, "memo", m_Memo);
        for (const CCast& cast : m_Casts) {
            Tessel::Element* element = Tessel::CreateElement("cast", root);
            AppendNumber(*element, "cast_id", cast.m_Id);
            AppendText(*element, "name", cast.m_Name);
            AppendText(*element, "memo", cast.m_Memo);
        }
        for (const CSerif& serif : m_Serifs) {
            Tessel::Element* element = Tessel::CreateElement("serif", root);
            AppendNumber(*element, "cast_id", serif.m_CastId);
            AppendText(*element, "serif", serif.m_Text);
            AppendText(*element, "memo", serif.m_Memo);
        }
        text = Tessel::ToString(*document, true, 0);
    } catch (const std::exception&) {
        return false;  // out of memory while building the text
    }
    // The tree is gone before the file is written: a large scenario's
    // nodes and its text are not held at once with the file's bytes.
    return WriteXMLText(path, text);
}

bool CScript::Load(const std::string& path)
{
    std::string text;
    std::string error;
    if (!ReadXMLText(path, text, error)) {
        if (!error.empty())
            SetErrorText(error);
        return false;
    }

    Clear();
    try {
        Tessel::DOM_Parser parser;
        parser.SetTrimWhitespace(true);
        CDocumentPtr document(parser.Parse(text));

        // The root's name is not checked: any root with this vocabulary loads.
        const Tessel::Element& root = document->GetRootElement();
        const std::string version = root.GetAttribute("version").GetValue();
        if (version != kVersion) {
            SetErrorText("対応していないバージョンです：" + version);
            return false;
        }

        for (const Tessel::Node* node : root) {
            const Tessel::Element* element = node->AsElement();
            if (element == nullptr)
                continue;
            const std::string& name = element->GetNameRef();
            if (name == "title") {
                m_Title = element->GetText();
            } else if (name == "memo") {
                m_Memo = element->GetText();
            } else if (name == "cast") {
                CCast cast;
                cast.m_Id = ReadDecimal(TextOf(*element, "cast_id"));
                cast.m_Name = TextOf(*element, "name");
                cast.m_Memo = TextOf(*element, "memo");
                m_Casts.push_back(std::move(cast));
            } else if (name == "serif") {
                CSerif serif;
                serif.m_CastId = ReadDecimal(TextOf(*element, "cast_id"));
                serif.m_Text = TextOf(*element, "serif");
                serif.m_Memo = TextOf(*element, "memo");
                m_Serifs.push_back(std::move(serif));
            }
        }
    } catch (const Tessel::ParsingException& e) {
        SetError("エラー場所：" + Tessel::FormatString(e.GetColumn(), "%ld") + "\n" + e.what());
        return false;
    } catch (const std::exception& e) {
        SetError(e.what());
        return false;
    }
    return true;
}
