// COptionGeneral: the general options, stored in the option file as
// <General AddReturn="1" AutoScroll="1" ScrollPos="10"/>. Plain data read
// and written directly by the main window and the option sheet.
#pragma once

#include "persist/XMLBase.h"

#include <cstdint>

namespace Tessel
{
class Element;
class NodeContainer;
}  // namespace Tessel

class COptionGeneral : public IXMLBase
{
public:
    ~COptionGeneral() override = default;

    // Appends the "General" element to `parent`.
    void Write(Tessel::NodeContainer& parent) const;
    // Reads AddReturn, AutoScroll and ScrollPos, in this order, each field
    // assigned as soon as it has been read; false (nothing changed) for an
    // element of another name. No range checks. A missing attribute throws
    // the library's not-found exception.
    bool Read(const Tessel::Element& element);

    int32_t m_AddReturn = 1;   // 0 or 1: Enter after each paste
    int32_t m_AutoScroll = 1;  // 0 or 1: scroll the list after a paste
    int32_t m_ScrollPos = 10;  // row of the view for the cursor, 1-based (1..99 from the sheet)
};
