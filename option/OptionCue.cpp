#include "option/OptionCue.h"

#include "persist/NumberText.h"
#include "tessel/Tessel.h"

#include <algorithm>

namespace
{

bool ReadDecimalAttribute(const Tessel::Element& element, const char* name, int32_t& value)
{
    const Tessel::Attribute* attribute = element.FindAttribute(name);
    if (attribute == nullptr)
        return false;
    value = ReadDecimal(attribute->GetValue());
    return true;
}

void ReadHotKeyAttribute(const Tessel::Element& element, const char* name, uint16_t& value)
{
    if (const Tessel::Attribute* attribute = element.FindAttribute(name))
        value = static_cast<uint16_t>(ReadHex(attribute->GetValue()) & 0xFFFF);
}

}  // namespace

void COptionCue::Write(Tessel::NodeContainer& parent) const
{
    Tessel::Element* element = Tessel::CreateElement("Cue", parent);
    Tessel::CreateAttribute("ShowStandby", Tessel::FormatString(m_ShowStandby ? 1 : 0, "%ld"),
                            *element);
    if (m_HasPosition) {
        Tessel::CreateAttribute("StandbyX", Tessel::FormatString(m_StandbyX, "%ld"), *element);
        Tessel::CreateAttribute("StandbyY", Tessel::FormatString(m_StandbyY, "%ld"), *element);
    }
    Tessel::CreateAttribute("StandbyWidth", Tessel::FormatString(m_StandbyWidth, "%ld"), *element);
    Tessel::CreateAttribute("Skip", Tessel::FormatString(m_Skip, "%04x"), *element);
    Tessel::CreateAttribute("Back", Tessel::FormatString(m_Back, "%04x"), *element);
    Tessel::CreateAttribute("Repeat", Tessel::FormatString(m_Repeat, "%04x"), *element);
    Tessel::CreateAttribute("NextCast", Tessel::FormatString(m_NextCast, "%04x"), *element);
    Tessel::CreateAttribute("PrevCast", Tessel::FormatString(m_PrevCast, "%04x"), *element);
}

bool COptionCue::Read(const Tessel::Element& element)
{
    if (element.GetNameRef() != "Cue")
        return false;
    int32_t show = m_ShowStandby;
    if (ReadDecimalAttribute(element, "ShowStandby", show))
        m_ShowStandby = show != 0 ? 1 : 0;
    int32_t x = 0;
    int32_t y = 0;
    if (ReadDecimalAttribute(element, "StandbyX", x) &&
        ReadDecimalAttribute(element, "StandbyY", y)) {
        m_HasPosition = true;
        m_StandbyX = x;
        m_StandbyY = y;
    }
    int32_t width = m_StandbyWidth;
    if (ReadDecimalAttribute(element, "StandbyWidth", width))
        m_StandbyWidth = std::min(std::max(width, kMinWidth), kMaxWidth);
    ReadHotKeyAttribute(element, "Skip", m_Skip);
    ReadHotKeyAttribute(element, "Back", m_Back);
    ReadHotKeyAttribute(element, "Repeat", m_Repeat);
    ReadHotKeyAttribute(element, "NextCast", m_NextCast);
    ReadHotKeyAttribute(element, "PrevCast", m_PrevCast);
    return true;
}
