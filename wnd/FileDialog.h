// CFileDialog: the system's open and save dialogs.
//
// The filter and the chosen path are UTF-8. The object owns its
// filter buffer; the record points into it only while a dialog is shown, so
// the object may be copied. The owner window is not owned.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

class CFileDialog
{
public:
    enum
    {
        // The system's 260 characters of a path, each at most three bytes of
        // UTF-8.
        kPathBufferSize = 3 * 260
    };

    // Filter "All files (*.*)" / "*.*", default extension "txt".
    CFileDialog();

    // Sets the filter from "description|pattern|description|pattern...".
    // Every "|" ends a field. 0 for a null or empty text (the filter stays
    // as it was), else 1.
    int SetFilter(const char* text);

    // Shows the dialog, starting from an empty file name. Returns the system
    // call's result (non-zero when a file was chosen); only then is path set.
    BOOL ShowOpen(HWND owner, std::string& path);
    BOOL ShowSave(HWND owner, std::string& path);

    // The filter as the dialog receives it: fields ended by zero bytes, the
    // list ended by an empty field.
    const std::string& GetFilter() const { return m_Filter; }

private:
    BOOL Show(HWND owner, DWORD flags, bool save, std::string& path);

    OPENFILENAMEA m_Record;
    std::string m_Filter;
};

// For commands that take a path or ask for one: a path already given is
// kept; an empty one is filled from the open (or, with save, the save)
// dialog with this filter. False when the user cancels.
bool ChoosePathIfEmpty(HWND owner, const char* filter, bool save, std::string& path);
