#include "wnd/ChooseColour.h"

#include <commdlg.h>

#include <cstring>

bool ChooseColour(HWND owner, COLORREF& colour)
{
    COLORREF custom[16] = {};
    custom[0] = colour;
    CHOOSECOLORA record;
    std::memset(&record, 0, sizeof(record));
    record.lStructSize = sizeof(record);
    record.hwndOwner = owner;
    record.rgbResult = colour;
    record.lpCustColors = custom;
    record.Flags = CC_RGBINIT;
    if (!ChooseColorA(&record))
        return false;
    colour = record.rgbResult;
    return true;
}
