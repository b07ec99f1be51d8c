#include "option/HotKeyName.h"

#include <cstdio>

namespace
{

const struct
{
    uint8_t m_Key;
    const char* m_Name;
} kNames[] = {
    {0x08, "Backspace"},  {0x09, "Tab"},    {0x0D, "Enter"}, {0x13, "Pause"},
    {0x14, "CapsLock"},   {0x1B, "Esc"},    {0x20, "Space"}, {0x21, "PageUp"},
    {0x22, "PageDown"},   {0x23, "End"},    {0x24, "Home"},  {0x25, "Left"},
    {0x26, "Up"},         {0x27, "Right"},  {0x28, "Down"},  {0x2C, "PrintScreen"},
    {0x2D, "Insert"},     {0x2E, "Delete"}, {0x6A, "Num *"}, {0x6B, "Num +"},
    {0x6D, "Num -"},      {0x6E, "Num ."},  {0x6F, "Num /"}, {0x90, "NumLock"},
    {0x91, "ScrollLock"},
};

std::string KeyName(uint8_t key)
{
    char text[16];
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    if (key >= 0x60 && key <= 0x69) {
        std::snprintf(text, sizeof text, "Num %d", key - 0x60);
        return text;
    }
    if (key >= 0x70 && key <= 0x87) {
        std::snprintf(text, sizeof text, "F%d", key - 0x70 + 1);
        return text;
    }
    for (const auto& entry : kNames) {
        if (entry.m_Key == key)
            return entry.m_Name;
    }
    std::snprintf(text, sizeof text, "0x%02X", key);
    return text;
}

}  // namespace

std::string HotKeyName(uint16_t hotKey)
{
    const unsigned modifiers = hotKey >> 8;
    std::string name;
    if (modifiers & 0x02)  // HOTKEYF_CONTROL
        name += "Ctrl+";
    if (modifiers & 0x01)  // HOTKEYF_SHIFT
        name += "Shift+";
    if (modifiers & 0x04)  // HOTKEYF_ALT
        name += "Alt+";
    return name + KeyName(static_cast<uint8_t>(hotKey & 0xFF));
}
