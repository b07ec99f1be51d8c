// CSerif: one line of dialogue. Plain copyable data; the strings are
// UTF-8. A negative cast id means the serif has no cast (only a
// loaded file can say so).
#pragma once

#include <cstdint>
#include <string>
#include <utility>

class CSerif
{
public:
    CSerif() = default;
    CSerif(int32_t castId, std::string text, std::string memo = std::string())
        : m_CastId(castId), m_Text(std::move(text)), m_Memo(std::move(memo))
    {}
    virtual ~CSerif() = default;
    CSerif(const CSerif&) = default;
    CSerif& operator=(const CSerif&) = default;
    CSerif(CSerif&&) = default;
    CSerif& operator=(CSerif&&) = default;

    int32_t m_CastId = 0;  // id of the speaking cast
    std::string m_Text;    // the line that is pasted
    std::string m_Memo;    // free note
};
