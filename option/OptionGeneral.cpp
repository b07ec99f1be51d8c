#include "option/OptionGeneral.h"

#include "persist/NumberText.h"
#include "tessel/Tessel.h"

void COptionGeneral::Write(Tessel::NodeContainer& parent) const
{
    Tessel::Element* element = Tessel::CreateElement("General", parent);
    Tessel::CreateAttribute("AddReturn", Tessel::FormatString(m_AddReturn, "%ld"), *element);
    Tessel::CreateAttribute("AutoScroll", Tessel::FormatString(m_AutoScroll, "%ld"), *element);
    Tessel::CreateAttribute("ScrollPos", Tessel::FormatString(m_ScrollPos, "%ld"), *element);
}

bool COptionGeneral::Read(const Tessel::Element& element)
{
    if (element.GetNameRef() != "General")
        return false;
    m_AddReturn = ReadDecimal(element.GetAttribute("AddReturn").GetValue());
    m_AutoScroll = ReadDecimal(element.GetAttribute("AutoScroll").GetValue());
    m_ScrollPos = ReadDecimal(element.GetAttribute("ScrollPos").GetValue());
    return true;
}
