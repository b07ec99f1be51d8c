#include "dialogs/AboutBox.h"

#include <shellapi.h>

#include "res/DialogRes.h"

void ShowAboutBox(HWND owner)
{
    HICON icon = static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr),
                                                 MAKEINTRESOURCEA(IDI_DIALOG_ICON), IMAGE_ICON, 0,
                                                 0, LR_DEFAULTSIZE));
    ::ShellAboutA(owner, "Rolecue Ver 0.11", "Wenmoor", icon);
    if (icon)
        ::DestroyIcon(icon);
}
