// ShowAboutBox: the system's standard About box for Rolecue.
#pragma once

#include <windows.h>

// ShellAboutA with "Rolecue Ver 0.11", the additional text "Wenmoor" and
// the program icon (resource 107, loaded here and destroyed afterwards).
// Modal; returns when the user closes the box. The owner may be null.
void ShowAboutBox(HWND owner);
