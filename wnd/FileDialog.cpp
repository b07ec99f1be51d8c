#include "wnd/FileDialog.h"

#include <cstring>

namespace
{

// The hook handles nothing. With a hook the system keeps showing the classic
// explorer-style dialog rather than its newer item dialog; the owner rides
// along in lCustData.
UINT_PTR CALLBACK FileDialogHook(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

}  // namespace

CFileDialog::CFileDialog() : m_Filter(std::string("All files (*.*)") + '\0' + "*.*" + '\0' + '\0')
{
    std::memset(&m_Record, 0, sizeof(m_Record));
    m_Record.lStructSize = sizeof(m_Record);
    m_Record.lpstrDefExt = "txt";
}

int CFileDialog::SetFilter(const char* text)
{
    if (!text || !*text)
        return 0;
    std::string filter(text);
    // UTF-8: a "|" byte is always the bar itself.
    for (char& c : filter) {
        if (c == '|')
            c = '\0';
    }
    filter.append(2, '\0');
    m_Filter.swap(filter);
    return 1;
}

BOOL CFileDialog::ShowOpen(HWND owner, std::string& path)
{
    return Show(
        owner, OFN_LONGNAMES | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_ENABLEHOOK | OFN_HIDEREADONLY,
        false, path);
}

BOOL CFileDialog::ShowSave(HWND owner, std::string& path)
{
    return Show(owner,
                OFN_LONGNAMES | OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_ENABLEHOOK |
                    OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                true, path);
}

BOOL CFileDialog::Show(HWND owner, DWORD flags, bool save, std::string& path)
{
    char buffer[kPathBufferSize] = {};
    m_Record.hwndOwner = owner;
    m_Record.lpstrFilter = m_Filter.c_str();
    m_Record.lpstrFile = buffer;
    m_Record.nMaxFile = kPathBufferSize;
    m_Record.Flags = flags;
    m_Record.lpfnHook = FileDialogHook;
    m_Record.lCustData = reinterpret_cast<LPARAM>(owner);
    m_Record.lpstrDefExt = "txt";
    const BOOL result = save ? GetSaveFileNameA(&m_Record) : GetOpenFileNameA(&m_Record);
    // The record must not keep pointers into this frame or into the filter.
    m_Record.lpstrFile = nullptr;
    m_Record.lpstrFilter = nullptr;
    if (result)
        path = buffer;
    return result;
}

bool ChoosePathIfEmpty(HWND owner, const char* filter, bool save, std::string& path)
{
    if (!path.empty())
        return true;
    CFileDialog dialog;
    dialog.SetFilter(filter);
    return (save ? dialog.ShowSave(owner, path) : dialog.ShowOpen(owner, path)) != FALSE;
}
