// Resource ids of the editing dialogs and of the option sheet pages, grouped
// by dialog. Included by the resource script (res/Dialogs.rc) and by the C++
// code of dialogs/ and option/; plain #defines only, so that the resource
// compiler can read it.
#pragma once

// The program icon shown in every dialog's title bar (defined by the main
// resource script).
#define IDI_DIALOG_ICON 107

// Option sheet caption (string table).
#define IDS_OPTION_CAPTION 115

// Cast dialog
#define IDD_CAST 137
#define IDC_CAST_NAME 1004
#define IDC_CAST_MEMO 1005
#define IDC_CAST_FORMAT 1006
#define IDC_CAST_ADD 1009
#define IDC_CAST_DELETE 1010
#define IDC_CAST_CHANGE 1011
#define IDC_CAST_LIST 1013

// Serif dialog
#define IDD_SERIF 140
#define IDC_SERIF_CAST 1015
#define IDC_SERIF_TEXT 1016
#define IDC_SERIF_MEMO 1017

// Scenario settings dialog. Its OK button is not IDOK: Enter in the title
// box (which sends IDOK) must not close the dialog.
#define IDD_SCRIPT 141
#define IDC_SCRIPT_TITLE 1021
#define IDC_SCRIPT_DIRECTION_FORMAT 1022
#define IDC_SCRIPT_MEMO 1023
#define IDC_SCRIPT_OK 1024

// Jump (go to line) dialog
#define IDD_JUMP 180
#define IDC_JUMP_LINE 1037

// Active casts dialog: the casts one seat speaks for
#define IDD_ACTIVE_CASTS 181
#define IDC_ACTIVE_CASTS_LIST 1201

// Option sheet: hotkey page
#define IDD_OPTION_HOTKEY 160
#define IDC_HOTKEY_KEY 1024
#define IDC_HOTKEY_WAIT 1033
#define IDC_CUE_SKIP 1111
#define IDC_CUE_BACK 1112
#define IDC_CUE_REPEAT 1113
#define IDC_CUE_NEXT_CAST 1114
#define IDC_CUE_PREV_CAST 1115

// Option sheet: colours page
#define IDD_OPTION_COLORS 161
#define IDC_COLORS_LIST 1001
#define IDC_COLORS_TEXT 1028
#define IDC_COLORS_BACK 1029

// Option sheet: general page
#define IDD_OPTION_GENERAL 162
#define IDC_GENERAL_SCROLLPOS 1029
#define IDC_GENERAL_AUTOSCROLL 1030

// Option sheet: paste page
#define IDD_OPTION_PASTE 164
#define IDC_PASTE_KEY 1101
#define IDC_PASTE_ENTERWAIT 1102
#define IDC_PASTE_KEEPOUT 1103
#define IDC_PASTE_RESTORE 1104
#define IDC_PASTE_RESTOREWAIT 1105
#define IDC_PASTE_ESCAPEMARKUP 1106
#define IDC_PASTE_LENGTHWARNING 1107
#define IDC_PASTE_LENGTHLIMIT 1108
