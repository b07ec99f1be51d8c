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

#include "tessel/Tessel.h"

const char* const COption::kActiveCast = "ActiveCast";

COption::COption()
{
    m_Colors[kActiveCast] = CColorManager(kActiveCast, 0x000000, 0xCCCCFF);
}

bool COption::Save(const std::string& path) const
{
    return SaveXML(path, "Option", "Version", [this](Tessel::Element& root) {
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
    });
}

// A missing file is created empty: the first start leaves option.xml
// behind at once, as it always has.
bool COption::Load(const std::string& path)
{
    return LoadXML(
        path, "Version", true, [] {},
        [this](const Tessel::Element& root) {
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
        });
}
