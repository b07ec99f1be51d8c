// ChooseColour: the system's colour chooser.
#pragma once

#include <windows.h>

// Shows the colour chooser, starting at colour; the custom-colour table
// starts with that colour and 15 black entries and is not kept between
// calls. On OK colour becomes the chosen one and the result is true; after
// Cancel (or when the dialog cannot be shown) colour is unchanged and the
// result is false. The owner window may be null.
bool ChooseColour(HWND owner, COLORREF& colour);
