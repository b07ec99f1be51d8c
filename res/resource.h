// Resource ids of Rolecue.exe shared by the resource script and the code:
// icon, menu, accelerators, toolbar bitmap, tooltip strings, the command ids
// of the main window and its child control ids. Dialog templates and their
// control ids live in DialogRes.h.
#pragma once

#if defined(__has_include)
#if __has_include("DialogRes.h")
#include "DialogRes.h"
#endif
#endif

// Resources
#define IDI_ROLECUE 107       // program icon (16 x 16 and 32 x 32)
#define IDR_MAINMENU 109      // menu bar
#define IDR_ACCELERATORS 128  // accelerator table
#define IDB_TOOLBAR 148       // 20 toolbar images of 16 x 16, grey 192,192,192 transparent
#define IDB_TOOLBAR_32 150    // the same 20 images drawn at 32 x 32, for higher DPI

// Strings: tooltips of the toolbar buttons (the option sheet caption is in
// Dialogs.rc).
#define IDS_TIP_NEW 104
#define IDS_TIP_SAVE 105
#define IDS_TIP_OPEN 107
#define IDS_TIP_SERIF_UP 108
#define IDS_TIP_SERIF_DOWN 110
#define IDS_TIP_CAST_EDIT 111
#define IDS_TIP_SCRIPT_SETTINGS 112
#define IDS_TIP_MONITOR 113
#define IDS_TIP_FIND 114
#define IDS_TIP_FIND_UP 162
#define IDS_TIP_FIND_DOWN 163

// Menu commands (menu bar, toolbar and accelerators)
#define IDM_FILE_NEW 0
#define IDM_FILE_OPEN 134
#define IDM_FILE_SAVE 135
#define IDM_FILE_SAVE_AS 136
#define IDM_FILE_RECENT_FIRST 165  // recent file 0 ... 9: 165 ... 174
#define IDM_FILE_RECENT_LAST 174
#define IDM_FILE_CLEAR_HISTORY 176
#define IDM_FILE_RECENT_SEPARATOR 177
#define IDM_FILE_EXIT 105
#define IDM_IMPORT_TEXT 190  // scenario as plain text: import a file
#define IDM_EXPORT_TEXT 191  // export to a file
#define IDM_PASTE_TEXT 192   // paste the clipboard's text
#define IDM_EDIT_SERIF 138
#define IDM_EDIT_CASTS 139
#define IDM_ADD_SERIF 142
#define IDM_INSERT_SERIF 143
#define IDM_DELETE_SERIF 144
#define IDM_SERIF_UP 145
#define IDM_SERIF_DOWN 146
#define IDM_SCRIPT_SETTINGS 147
#define IDM_COPY_SERIF 182
#define IDM_FIND 1034
#define IDM_FIND_UP 158
#define IDM_FIND_DOWN 159
#define IDM_REPLACE 163
#define IDM_JUMP 179
#define IDM_ADD_RETURN 131
#define IDM_MONITOR 151
#define IDM_SHOW_STANDBY 193  // the standby strip on or off
#define IDM_UNDO 194          // undo the last change to the scenario
#define IDM_REDO 195          // redo the last change undone
#define IDM_CHOOSE_CASTS 196  // the casts the user plays (several at once)
#define IDM_OPTIONS 129
#define IDM_ABOUT 104

// Accelerator-only commands; those marked "list" act only while the serif
// list has the keyboard focus.
#define IDM_FOCUS_TOGGLE 1035  // Tab
#define IDM_LIST_EDIT 1036     // Enter, list
#define IDM_LIST_INSERT 10001  // Insert, list
#define IDM_LIST_DELETE 10002  // Delete, list
#define IDM_LIST_ADD 10004     // Ctrl+Insert, list
#define IDM_LIST_UP 10006      // Ctrl+U, list
#define IDM_LIST_DOWN 10007    // Ctrl+D, list

// Child windows of the main window
#define IDC_TOOLBAR 149
#define IDC_SERIF_LIST 20000
#define IDC_HINT 20001
#define IDC_CAST_BOX 20002
#define IDC_STATUS_BAR 20003

// Hotkey identifier of the paste key on the main window
#define ID_PASTE_HOTKEY 1
#define ID_SKIP_HOTKEY 2       // cue keys: pass over the next line
#define ID_BACK_HOTKEY 3       // the line before the next one
#define ID_REPEAT_HOTKEY 4     // the last line again
#define ID_NEXT_CAST_HOTKEY 5  // the cast box's next entry
#define ID_PREV_CAST_HOTKEY 6  // its previous entry
