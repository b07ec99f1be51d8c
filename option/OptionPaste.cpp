#include "option/OptionPaste.h"

#include "persist/NumberText.h"
#include "tessel/Tessel.h"

#include <algorithm>

namespace
{

const struct
{
    EPasteKey m_Key;
    const char* m_Name;
} kKeyNames[] = {
    {EPasteKey::CtrlV, "CtrlV"},
    {EPasteKey::ShiftInsert, "ShiftInsert"},
    {EPasteKey::CtrlShiftV, "CtrlShiftV"},
};

// Reads a decimal attribute when the element has it.
void ReadOptional(const Tessel::Element& element, const char* name, int32_t& value)
{
    if (const Tessel::Attribute* attribute = element.FindAttribute(name))
        value = ReadDecimal(attribute->GetValue());
}

}  // namespace

const char* PasteKeyName(EPasteKey key)
{
    for (const auto& entry : kKeyNames) {
        if (entry.m_Key == key)
            return entry.m_Name;
    }
    return kKeyNames[0].m_Name;
}

bool PasteKeyFromName(const std::string& name, EPasteKey& key)
{
    for (const auto& entry : kKeyNames) {
        if (name == entry.m_Name) {
            key = entry.m_Key;
            return true;
        }
    }
    return false;
}

int32_t COptionPaste::ClampWait(int32_t ms)
{
    return std::min(std::max(ms, 0), kMaxWaitMs);
}

int32_t COptionPaste::ClampLengthWarning(int32_t characters)
{
    return std::min(std::max(characters, 0), kMaxLengthWarning);
}

void COptionPaste::Write(Tessel::NodeContainer& parent) const
{
    Tessel::Element* element = Tessel::CreateElement("Paste", parent);
    Tessel::CreateAttribute("Key", PasteKeyName(m_Key), *element);
    Tessel::CreateAttribute("EnterWait", Tessel::FormatString(ClampWait(m_EnterWait), "%ld"),
                            *element);
    Tessel::CreateAttribute("KeepOutOfHistory",
                            Tessel::FormatString(m_KeepOutOfHistory ? 1 : 0, "%ld"), *element);
    Tessel::CreateAttribute("RestoreClipboard",
                            Tessel::FormatString(m_RestoreClipboard ? 1 : 0, "%ld"), *element);
    Tessel::CreateAttribute("RestoreWait", Tessel::FormatString(ClampWait(m_RestoreWait), "%ld"),
                            *element);
    Tessel::CreateAttribute("EscapeMarkup", Tessel::FormatString(m_EscapeMarkup ? 1 : 0, "%ld"),
                            *element);
    Tessel::CreateAttribute("LengthWarning",
                            Tessel::FormatString(ClampLengthWarning(m_LengthWarning), "%ld"),
                            *element);
}

bool COptionPaste::Read(const Tessel::Element& element)
{
    if (element.GetNameRef() != "Paste")
        return false;
    if (const Tessel::Attribute* key = element.FindAttribute("Key"))
        PasteKeyFromName(key->GetValue(), m_Key);
    ReadOptional(element, "EnterWait", m_EnterWait);
    ReadOptional(element, "KeepOutOfHistory", m_KeepOutOfHistory);
    ReadOptional(element, "RestoreClipboard", m_RestoreClipboard);
    ReadOptional(element, "RestoreWait", m_RestoreWait);
    ReadOptional(element, "EscapeMarkup", m_EscapeMarkup);
    ReadOptional(element, "LengthWarning", m_LengthWarning);
    m_EscapeMarkup = m_EscapeMarkup ? 1 : 0;
    m_LengthWarning = ClampLengthWarning(m_LengthWarning);
    m_EnterWait = ClampWait(m_EnterWait);
    m_RestoreWait = ClampWait(m_RestoreWait);
    m_KeepOutOfHistory = m_KeepOutOfHistory != 0 ? 1 : 0;
    m_RestoreClipboard = m_RestoreClipboard != 0 ? 1 : 0;
    return true;
}
