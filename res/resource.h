// Identifiers of the Windows resources in pantrel.rc. Included by the resource script and by the
// Win32 window code, so these are plain macros. The names differ from the C++ constants of
// src/kinds/string_table.h and src/loader (same numbers, other spelling), so that one source file
// may include both.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_PANTREL_DIALOG 102

// The program's icon group: file icon, window icon, About box picture.
#define IDR_MAINFRAME 128

// Pop-up menu of the list, with the one "&Usuń" entry, and the window's accelerator table.
#define IDR_MENU 129
#define IDR_ACCELERATOR 130

// Image strips of 15-pixel cells: the device kinds (blank, cash register, fiscal printer, label
// scale, barcode reader) and the sort marks of the list header (up, down, blank).
#define IDB_KIND_IMAGES 103
#define IDB_SORT_IMAGES 104
#define IMAGE_CELL_SIZE 15
#define IMAGE_MASK_COLOUR RGB(255, 0, 255)

// The specification schema, resource type "XML" (a name, not a number).
#define IDR_SCHEMA 110

// Commands of the main window: buttons, menu entry and accelerators.
#define ID_ADD 131      // "&Dodaj": add the models of a chosen specification file
#define ID_UPDATE 132   // "U&aktualnij": never shown; re-reads the list when a row is current
#define ID_REMOVE 133   // "&Usuń", Delete, the menu entry: remove the current model
#define ID_REFRESH 134  // Ctrl+R, F5: re-read the list

// Controls.
#define IDC_LIST 2001     // the model list (list-view, report view)
#define IDC_VERSION 2005  // the About box's version text, "..." until the box opens

// System-menu entry that opens the About box; the low four bits of a system command are ignored.
#define ABOUT_COMMAND_ID 0x0010

// Strings: the About entry of the system menu, the driver GUIDs (registry key names), the two
// messages of the main window and the application title (every message box's caption).
#define IDS_ABOUTBOX 101
#define IDS_DRIVER_GUID_CASH_REGISTER 111
#define IDS_DRIVER_GUID_LABEL_SCALE 112
#define IDS_DRIVER_GUID_FISCAL_PRINTER 113
#define IDS_NO_DRIVER_SELECTED 1001
#define IDS_CONFIRM_REMOVE_MODEL 8036
#define IDS_APPLICATION_TITLE 57344

// Nouns of the device kinds, stored in lower case. Singular nominative, genitive, plural
// nominative, genitive, singular accusative, locative, plural locative; the accusative singular
// of the barcode reader is its nominative (7113), so 7129 is not used, and the plural has no
// accusative.
#define IDS_CASH_REGISTER_NOM 7110
#define IDS_FISCAL_PRINTER_NOM 7111
#define IDS_LABEL_SCALE_NOM 7112
#define IDS_BARCODE_READER_NOM 7113
#define IDS_CASH_REGISTER_GEN 7114
#define IDS_FISCAL_PRINTER_GEN 7115
#define IDS_LABEL_SCALE_GEN 7116
#define IDS_BARCODE_READER_GEN 7117
#define IDS_CASH_REGISTERS_NOM 7118
#define IDS_FISCAL_PRINTERS_NOM 7119
#define IDS_LABEL_SCALES_NOM 7120
#define IDS_BARCODE_READERS_NOM 7121
#define IDS_CASH_REGISTERS_GEN 7122
#define IDS_FISCAL_PRINTERS_GEN 7123
#define IDS_LABEL_SCALES_GEN 7124
#define IDS_BARCODE_READERS_GEN 7125
#define IDS_CASH_REGISTER_ACC 7126
#define IDS_FISCAL_PRINTER_ACC 7127
#define IDS_LABEL_SCALE_ACC 7128
#define IDS_CASH_REGISTER_LOC 7130
#define IDS_FISCAL_PRINTER_LOC 7131
#define IDS_LABEL_SCALE_LOC 7132
#define IDS_BARCODE_READER_LOC 7133
#define IDS_CASH_REGISTERS_LOC 7134
#define IDS_FISCAL_PRINTERS_LOC 7135
#define IDS_LABEL_SCALES_LOC 7136
#define IDS_BARCODE_READERS_LOC 7137
