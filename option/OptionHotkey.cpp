#include "option/OptionHotkey.h"

#include "persist/NumberText.h"
#include "tessel/Tessel.h"

void COptionHotkey::Write(Tessel::NodeContainer& parent) const
{
    Tessel::Element* element = Tessel::CreateElement("HotKey", parent);
    Tessel::CreateAttribute("HotKey", Tessel::FormatString(m_HotKey, "%04x"), *element);
    Tessel::CreateAttribute("KeyWait", Tessel::FormatString(m_KeyWait, "%ld"), *element);
}

bool COptionHotkey::Read(const Tessel::Element& element)
{
    if (element.GetNameRef() != "HotKey")
        return false;
    m_HotKey = static_cast<uint16_t>(ReadHex(element.GetAttribute("HotKey").GetValue()) & 0xFFFF);
    m_KeyWait = ReadDecimal(element.GetAttribute("KeyWait").GetValue());
    return true;
}
