// CCast: one speaker of a scenario. Plain copyable data; the strings are
// UTF-8, compared byte for byte.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

class CCast
{
public:
    CCast() = default;
    CCast(int32_t id, std::string name, std::string memo = std::string(),
          std::string format = std::string())
        : m_Id(id), m_Name(std::move(name)), m_Memo(std::move(memo)), m_Format(std::move(format))
    {}
    virtual ~CCast() = default;
    CCast(const CCast&) = default;
    CCast& operator=(const CCast&) = default;
    CCast(CCast&&) = default;
    CCast& operator=(CCast&&) = default;

    int32_t m_Id = 0;    // identity within the scenario; serifs refer to it
    std::string m_Name;  // display name; the active cast is chosen by name
    std::string m_Memo;  // free note
    // How the cast's lines are pasted: {name} and {text} stand for the name
    // and the line (appcore/PasteText.h); empty for the line alone.
    std::string m_Format;
};
