// Reads and sets the state of dialog controls by their own messages, so that
// a test sees what the user would see. Texts are Shift_JIS bytes.
#pragma once

#include <windows.h>

#include <string>

namespace Probe
{
// List views.
int RowCount(HWND list);
std::string RowText(HWND list, int row, int column);
LPARAM RowData(HWND list, int row);
int SelectedRow(HWND list);
// The first row whose first column is exactly `text`, or -1.
int FindRow(HWND list, const std::string& text);
// Selects one row (and only it), as a click would; -1 clears the selection.
void SelectRow(HWND list, int row);

// Combo boxes.
std::string SelectedItem(HWND combo);
int ItemCount(HWND combo);
// Selects the item whose text is exactly `text`; false when there is none.
bool SelectItem(HWND combo, const std::string& text);

// Check boxes.
void SetCheck(HWND button, bool checked);
}  // namespace Probe
