// COption::Load and COption::Save: the option file, in Shift_JIS or, when
// its text needs it (a recent file in a folder named with ♡), UTF-8
// (persist/XMLEncoding.h).
//
//   <?xml version="1.0" encoding="Shift_JIS"?>
//   <Option Version="1.0">
//     <General AddReturn="1" AutoScroll="1" ScrollPos="10"/>
//     <HotKey HotKey="0077" KeyWait="100"/>
//     <Colors> <Color Name="ActiveCast" TextColor="000000" BackColor="ffcccc"/> </Colors>
//     <FileHistories> <FileHistory FullPath="..."/> </FileHistories>
//     <Paste Key="CtrlV" EnterWait="0" KeepOutOfHistory="1" RestoreClipboard="0" RestoreWait="500"/>
//     <Cue ShowStandby="1" StandbyWidth="480" Skip="0000" Back="0000" Repeat="0000"/>
//   </Option>
//
// Elements this version does not know are skipped, so files written by later
// versions load, and the elements added after the first version come last.
//
// Every value is an attribute, written and read verbatim (no escaping).
#include "option/Option.h"

#include "persist/XMLEncoding.h"
#include "tessel/Tessel.h"

#include <exception>
#include <memory>

namespace
{

const char kVersion[] = "1.0";

struct CDocumentDeleter
{
    void operator()(Tessel::Document* document) const { document->Release(); }
};
using CDocumentPtr = std::unique_ptr<Tessel::Document, CDocumentDeleter>;

}  // namespace

const char* const COption::kActiveCast = "ActiveCast";

COption::COption()
{
    m_Colors[kActiveCast] = CColorManager(kActiveCast, 0x000000, 0xCCCCFF);
}

bool COption::Save(const std::string& path) const
{
    if (path.empty())
        return false;
    std::string text;
    try {
        CDocumentPtr document(Tessel::CreateDocument("Option"));
        Tessel::CreateAttribute("version", kVersion, *document);
        Tessel::CreateAttribute("encoding", "Shift_JIS", *document);
        Tessel::Element& root = document->GetRootElement();
        Tessel::CreateAttribute("Version", kVersion, root);

        m_General.Write(root);
        m_Hotkey.Write(root);
        Tessel::Element* colors = Tessel::CreateElement("Colors", root);
        // The key is the item's name; an item added by GetColor has an empty
        // name field, and writing that would lose its key.
        for (const auto& entry : m_Colors)
            entry.second.Write(*colors, entry.first);
        m_FileHistory.Write(root);
        m_Paste.Write(root);
        m_Cue.Write(root);
        text = Tessel::ToString(*document, true, 0);
    } catch (const std::exception&) {
        return false;  // out of memory while building the text
    }
    // The tree is gone before the file is written: a large scenario's
    // nodes and its text are not held at once with the file's bytes.
    return WriteXMLText(path, text);
}

bool COption::Load(const std::string& path)
{
    std::string text;
    std::string error;
    if (!ReadXMLText(path, text, error)) {
        if (!error.empty())
            SetErrorText(error);
        return false;
    }
    try {
        Tessel::DOM_Parser parser;
        parser.SetTrimWhitespace(true);
        CDocumentPtr document(parser.Parse(text));

        const Tessel::Element& root = document->GetRootElement();
        const std::string version = root.GetAttribute("Version").GetValue();
        if (version != kVersion) {
            SetErrorText("対応していないバージョンです：" + version);
            return false;
        }

        for (const Tessel::Node* node : root) {
            const Tessel::Element* element = node->AsElement();
            if (element == nullptr)
                continue;
            const std::string& name = element->GetNameRef();
            if (name == "General") {
                m_General.Read(*element);
            } else if (name == "HotKey") {
                m_Hotkey.Read(*element);
            } else if (name == "Colors") {
                for (const Tessel::Node* child : *element) {
                    const Tessel::Element* color = child->AsElement();
                    if (color == nullptr || color->GetNameRef() != "Color")
                        continue;
                    CColorManager item;
                    item.Read(*color);
                    m_Colors[item.m_Name] = item;
                }
            } else if (name == "FileHistories") {
                m_FileHistory.Read(*element);
            } else if (name == "Paste") {
                m_Paste.Read(*element);
            } else if (name == "Cue") {
                m_Cue.Read(*element);
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
