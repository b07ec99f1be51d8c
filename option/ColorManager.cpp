#include "option/ColorManager.h"

#include "option/AttributeText.h"
#include "persist/NumberText.h"
#include "tessel/Tessel.h"

std::string ColorToText(ColorRef color)
{
    // COLORREF keeps red in the low byte; the file writes red first.
    const uint32_t rgb = ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
    return Tessel::FormatString(static_cast<int32_t>(rgb), "%06x");
}

ColorRef ColorFromText(const std::string& text)
{
    const uint32_t v = ReadHex(text);
    return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

void CColorManager::Write(Tessel::NodeContainer& parent, const std::string& name) const
{
    Tessel::Element* element = Tessel::CreateElement("Color", parent);
    Tessel::CreateAttribute("Name", AttributeText(name), *element);
    Tessel::CreateAttribute("TextColor", ColorToText(m_TextColor), *element);
    Tessel::CreateAttribute("BackColor", ColorToText(m_BackColor), *element);
}

bool CColorManager::Read(const Tessel::Element& element)
{
    if (element.GetNameRef() != "Color")
        return false;
    m_Name = element.GetAttribute("Name").GetValue();
    m_TextColor = ColorFromText(element.GetAttribute("TextColor").GetValue());
    m_BackColor = ColorFromText(element.GetAttribute("BackColor").GetValue());
    return true;
}
