#include "option/FileHistory.h"

#include "option/AttributeText.h"
#include "tessel/Tessel.h"

void CFileHistory::Add(const std::string& path)
{
    if (!Contains(path))
        m_Ring.Push(path);
}

bool CFileHistory::Contains(const std::string& path) const
{
    std::string entry;
    for (int32_t cursor = Begin(); GetNext(entry, cursor);) {
        if (entry == path)
            return true;
    }
    return false;
}

void CFileHistory::Write(Tessel::NodeContainer& parent) const
{
    Tessel::Element* histories = Tessel::CreateElement("FileHistories", parent);
    std::string entry;
    for (int32_t cursor = Begin(); GetNext(entry, cursor);) {
        // Written as held: the parser takes attribute values verbatim, so a
        // path with "&" reads back unchanged. (Windows paths hold no ".)
        Tessel::Element* history = Tessel::CreateElement("FileHistory", *histories);
        Tessel::CreateAttribute("FullPath", AttributeText(entry), *history);
    }
}

bool CFileHistory::Read(const Tessel::Element& element)
{
    if (element.GetNameRef() != "FileHistories")
        return false;
    m_Ring.Clear();
    for (const Tessel::Node* node : element) {
        const Tessel::Element* child = node->AsElement();
        if (child != nullptr && child->GetNameRef() == "FileHistory")
            m_Ring.Push(child->GetAttribute("FullPath").GetValue());
    }
    return true;
}
