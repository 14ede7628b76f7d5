// Loads every resource that res/pantrel.rc puts into the program and compares it with what the
// window and the core expect: the schema byte for byte, every string against the core's own
// table, the dialog templates field by field and as created windows, the menu, the accelerators,
// the image strips as image lists, the icon group, the version block and the manifest.
// Usage: resources_test.exe PATH_OF_Sterowniki.xsd [PROGRAM.exe]: checks this test program, which
// links the same resources, or the program named; prints each failure, ends with 1 on any.

#include <windows.h>
// The headers below build on the types of windows.h.
#include <commctrl.h>
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <cwctype>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "check_report.h"
#include "dialog_template.h"
#include "kinds/string_table.h"
#include "loader/specification_loader.h"
#include "resource.h"

// The numbers of resource.h and of the core's constants are one set of identifiers.
static_assert(IDS_ABOUTBOX == pantrel::IDS_ABOUT_ENTRY);
static_assert(IDS_DRIVER_GUID_CASH_REGISTER == pantrel::IDS_GUID_CASH_REGISTER);
static_assert(IDS_DRIVER_GUID_LABEL_SCALE == pantrel::IDS_GUID_LABEL_SCALE);
static_assert(IDS_DRIVER_GUID_FISCAL_PRINTER == pantrel::IDS_GUID_FISCAL_PRINTER);
static_assert(IDS_NO_DRIVER_SELECTED == pantrel::IDS_NO_DRIVER_CHOSEN);
static_assert(IDS_CONFIRM_REMOVE_MODEL == pantrel::IDS_CONFIRM_REMOVAL);
static_assert(IDS_APPLICATION_TITLE == pantrel::IDS_APP_TITLE);
static_assert(IDR_SCHEMA == pantrel::SCHEMA_RESOURCE_ID);

namespace pantrel {
namespace {

constexpr WORD POLISH = MAKELANGID(LANG_POLISH, SUBLANG_DEFAULT);
constexpr COLORREF MAGENTA = RGB(255, 0, 255);

// The program whose resources are checked: this test program itself, or a program file named on
// the command line, loaded as an image of resources only.
struct Program {
    HMODULE module = nullptr;
    std::wstring path;
    bool self = true;
};

Program& Checked() {
    static Program program;
    return program;
}

HINSTANCE Module() {
    return Checked().module;
}

// The bytes of a resource in Polish, as the program file holds them.
std::optional<std::span<const std::byte>> Bytes(const wchar_t* type, int id) {
    HRSRC found = FindResourceExW(Module(), type, MAKEINTRESOURCEW(id), POLISH);
    if (found == nullptr) {
        return std::nullopt;
    }
    HGLOBAL loaded = LoadResource(Module(), found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return std::nullopt;
    }
    return std::span(static_cast<const std::byte*>(data), SizeofResource(Module(), found));
}

template <typename T>
T ReadAt(std::span<const std::byte> bytes, std::size_t at) {
    T value{};
    if (at + sizeof(T) <= bytes.size()) {
        std::memcpy(&value, bytes.data() + at, sizeof(T));
    }
    return value;
}

// ---- inventory: exactly the expected resources, each once and in Polish ----

using ResourceKey = std::pair<std::wstring, int>;

std::wstring TypeKey(const wchar_t* type) {
    return IS_INTRESOURCE(type) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(type))
                                : std::wstring(type);
}

// The languages in which each resource is there.
using Inventory = std::map<ResourceKey, std::vector<WORD>>;

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR param) {
    auto* inventory = reinterpret_cast<Inventory*>(param);
    const int id = IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<ULONG_PTR>(name)) : -1;
    (*inventory)[{TypeKey(type), id}].push_back(language);
    return TRUE;
}

BOOL CALLBACK AddName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param) {
    EnumResourceLanguagesW(module, type, name, AddLanguage, param);
    return TRUE;
}

BOOL CALLBACK AddType(HMODULE module, LPWSTR type, LONG_PTR param) {
    EnumResourceNamesW(module, type, AddName, param);
    return TRUE;
}

void CheckInventory(CheckReport& report) {
    Inventory inventory;
    EnumResourceTypesW(Module(), AddType, reinterpret_cast<LONG_PTR>(&inventory));
    std::set<ResourceKey> expected{{L"XML", IDR_SCHEMA},
                                   {TypeKey(RT_BITMAP), IDB_KIND_IMAGES},
                                   {TypeKey(RT_BITMAP), IDB_SORT_IMAGES},
                                   {TypeKey(RT_MENU), IDR_MENU},
                                   {TypeKey(RT_DIALOG), IDD_ABOUTBOX},
                                   {TypeKey(RT_DIALOG), IDD_PANTREL_DIALOG},
                                   {TypeKey(RT_ACCELERATOR), IDR_ACCELERATOR},
                                   {TypeKey(RT_GROUP_ICON), IDR_MAINFRAME},
                                   {TypeKey(RT_VERSION), 1},
                                   {TypeKey(RT_MANIFEST), 1}};
    for (int icon = 1; icon <= 6; ++icon) {
        expected.insert({TypeKey(RT_ICON), icon});
    }
    std::set<ResourceKey> actual;
    for (const auto& [key, languages] : inventory) {
        const std::string name = Utf8(key.first) + "/" + std::to_string(key.second);
        report.Expect(languages == std::vector<WORD>{POLISH},
                      "resource " + name + " is there once, in Polish");
        if (key.first !=
            TypeKey(RT_STRING)) {  // string blocks: their content is checked string by string
            actual.insert(key);
        }
    }
    for (const ResourceKey& key : expected) {
        report.Expect(actual.contains(key),
                      "resource " + Utf8(key.first) + "/" + std::to_string(key.second) + " exists");
    }
    for (const ResourceKey& key : actual) {
        report.Expect(expected.contains(key), "no unexpected resource " + Utf8(key.first) + "/" +
                                                  std::to_string(key.second));
    }
}

// ---- the schema ----

std::vector<char> ReadFile(const wchar_t* path) {
    std::vector<char> content;
    if (FILE* file = _wfopen(path, L"rb")) {
        std::array<char, 4096> block{};
        for (std::size_t read; (read = std::fread(block.data(), 1, block.size(), file)) > 0;) {
            content.insert(content.end(), block.data(), block.data() + read);
        }
        std::fclose(file);
    }
    return content;
}

void CheckSchema(CheckReport& report, const wchar_t* schemaPath) {
    const std::vector<char> expected = ReadFile(schemaPath);
    report.Expect(!expected.empty(), "the schema file can be read: " + Utf8(schemaPath));
    const auto bytes = Bytes(L"XML", IDR_SCHEMA);
    if (!report.Expect(bytes.has_value(), "resource XML/110 (the schema) found")) {
        return;
    }
    report.Expect(bytes->size() == expected.size() &&
                      std::memcmp(bytes->data(), expected.data(), expected.size()) == 0,
                  "XML/110 holds Sterowniki.xsd byte for byte (" + std::to_string(bytes->size()) +
                      " bytes, the file " + std::to_string(expected.size()) + ")");
}

// ---- strings: the program's table and the core's table agree on every identifier ----

void CheckStrings(CheckReport& report) {
    int found = 0;
    for (unsigned id = 0; id <= 0xFFFF; ++id) {
        const wchar_t* text = nullptr;
        const int length = LoadStringW(Module(), id, reinterpret_cast<LPWSTR>(&text), 0);
        const std::wstring actual = length > 0 ? std::wstring(text, length) : std::wstring();
        const std::wstring expected = Wide(LoadResourceString(id));
        found += length > 0 ? 1 : 0;
        if (!actual.empty() || !expected.empty()) {
            report.ExpectEqual(actual, expected, "string " + std::to_string(id));
        }
    }
    report.ExpectEqual(found, 34, "number of strings");
}

// ---- dialog templates, field by field ----

struct ExpectedItem {
    DWORD style;
    short x, y, cx, cy;
    DWORD id;
    std::optional<WORD> classOrdinal;
    const wchar_t* className;
    std::optional<WORD> textOrdinal;
    const wchar_t* text;
};

constexpr WORD BUTTON_CLASS = 0x80;
constexpr WORD STATIC_CLASS = 0x82;
constexpr DWORD SHOWN = WS_CHILD | WS_VISIBLE;

const std::array ABOUT_ITEMS{
    ExpectedItem{SHOWN | SS_ICON, 11, 11, 20, 20, 0xFFFF, STATIC_CLASS, L"Static", IDR_MAINFRAME,
                 L""},
    ExpectedItem{SHOWN | SS_LEFT | WS_GROUP | SS_NOPREFIX, 40, 8, 188, 8, 0xFFFF, STATIC_CLASS,
                 L"Static", std::nullopt, L"Program serwisowy sterowników uniwersalnych"},
    ExpectedItem{SHOWN | SS_LEFT | WS_GROUP, 40, 20, 25, 8, 0xFFFF, STATIC_CLASS, L"Static",
                 std::nullopt, L"Wersja:"},
    ExpectedItem{SHOWN | SS_LEFT | WS_GROUP, 70, 20, 89, 8, IDC_VERSION, STATIC_CLASS, L"Static",
                 std::nullopt, L"..."},
    ExpectedItem{SHOWN | SS_LEFT | WS_GROUP, 40, 32, 119, 8, 0xFFFF, STATIC_CLASS, L"Static",
                 std::nullopt, L"Copyright © Tarvex"},
    ExpectedItem{SHOWN | BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 178, 39, 50, 14, IDOK,
                 BUTTON_CLASS, L"Button", std::nullopt, L"OK"},
};

const std::array MAIN_ITEMS{
    ExpectedItem{SHOWN | SS_LEFT | WS_GROUP, 7, 7, 305, 8, 0xFFFFFFFF, STATIC_CLASS, L"Static",
                 std::nullopt, L"Modele urządzeń zewnętrznych:"},
    ExpectedItem{SHOWN | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_ALIGNLEFT |
                     LVS_OWNERDATA | WS_BORDER | WS_TABSTOP,
                 7, 19, 305, 113, IDC_LIST, std::nullopt, L"SysListView32", std::nullopt, L""},
    ExpectedItem{SHOWN | BS_PUSHBUTTON | WS_TABSTOP, 7, 139, 50, 14, ID_ADD, BUTTON_CLASS,
                 L"Button", std::nullopt, L"&Dodaj"},
    ExpectedItem{WS_CHILD | WS_DISABLED | BS_PUSHBUTTON | WS_TABSTOP, 115, 139, 50, 14, ID_UPDATE,
                 BUTTON_CLASS, L"Button", std::nullopt, L"U&aktualnij"},
    ExpectedItem{SHOWN | BS_PUSHBUTTON | WS_TABSTOP, 61, 139, 50, 14, ID_REMOVE, BUTTON_CLASS,
                 L"Button", std::nullopt, L"&Usuń"},
    ExpectedItem{SHOWN | BS_DEFPUSHBUTTON | WS_TABSTOP, 263, 139, 49, 14, IDCANCEL, BUTTON_CLASS,
                 L"Button", std::nullopt, L"Zamknij"},
};

void CheckItems(CheckReport& report, const std::string& dialog,
                const std::vector<DialogItem>& items, std::span<const ExpectedItem> expected) {
    if (!report.ExpectEqual(items.size(), expected.size(), dialog + " number of controls")) {
        return;
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        const DialogItem& item = items[i];
        const ExpectedItem& want = expected[i];
        const std::string name = dialog + " control " + std::to_string(i) + " (" + Utf8(want.text) +
                                 ", id " + std::to_string(want.id) + ")";
        report.ExpectBits(item.frame.style, want.style, name + " style");
        report.ExpectBits(item.frame.exStyle, 0, name + " extended style");
        report.Expect(item.frame.x == want.x && item.frame.y == want.y &&
                          item.frame.cx == want.cx && item.frame.cy == want.cy,
                      name + " at " + std::to_string(item.frame.x) + ", " +
                          std::to_string(item.frame.y) + ", " + std::to_string(item.frame.cx) +
                          " x " + std::to_string(item.frame.cy));
        report.ExpectEqual(item.id, want.id, name + " identifier");
        report.Expect(SameClass(item.windowClass, want.classOrdinal, want.className),
                      name + " class " + Utf8(want.className));
        if (want.textOrdinal) {
            report.Expect(item.text.ordinal == want.textOrdinal, name + " names icon group 128");
        } else {
            report.Expect(!item.text.ordinal, name + " text is a text");
            report.ExpectEqual(item.text.name, want.text, name + " text");
        }
    }
}

struct ExpectedDialog {
    int id;
    bool extended;
    DWORD style;
    DWORD exStyle;
    short cx, cy;
    const wchar_t* caption;
    std::span<const ExpectedItem> items;
};

const std::array DIALOGS{
    ExpectedDialog{IDD_ABOUTBOX, false,
                   DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 235, 60,
                   L"Informacje o programie", ABOUT_ITEMS},
    ExpectedDialog{IDD_PANTREL_DIALOG, true,
                   DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU |
                       WS_MINIMIZEBOX,
                   WS_EX_APPWINDOW, 320, 160,
                   L"Sterowniki uniwersalne firmy Tarvex - program serwisowy", MAIN_ITEMS},
};

void CheckDialogTemplate(CheckReport& report, const ExpectedDialog& want) {
    const std::string name = "dialog " + std::to_string(want.id);
    const auto bytes = Bytes(RT_DIALOG, want.id);
    const auto dialog = bytes ? ParseDialogTemplate(*bytes) : std::nullopt;
    if (!report.Expect(dialog.has_value(), name + " found and readable")) {
        return;
    }
    report.Expect(dialog->extended == want.extended,
                  name + (want.extended ? " is an extended template" : " is a classic template"));
    report.ExpectBits(dialog->frame.style, want.style, name + " style");
    report.ExpectBits(dialog->frame.exStyle, want.exStyle, name + " extended style");
    report.Expect(dialog->frame.cx == want.cx && dialog->frame.cy == want.cy,
                  name + " size " + std::to_string(dialog->frame.cx) + " x " +
                      std::to_string(dialog->frame.cy));
    report.ExpectEqual(dialog->title, want.caption, name + " caption");
    report.Expect(dialog->menu == NameOrOrdinal{} && dialog->windowClass == NameOrOrdinal{},
                  name + " has no menu and the standard dialog class");
    report.ExpectEqual(dialog->pointSize, WORD{8}, name + " font size");
    report.ExpectEqual(dialog->font, L"MS Shell Dlg", name + " font");
    report.Expect(dialog->weight == 0 && dialog->italic == 0, name + " font weight and slant");
    CheckItems(report, name, dialog->items, want.items);
}

// ---- dialog templates as windows ----

INT_PTR CALLBACK QuietDialog(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

std::wstring WindowText(HWND window) {
    std::array<wchar_t, 256> text{};
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

std::wstring ClassOf(HWND window) {
    std::array<wchar_t, 64> name{};
    GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    return name.data();
}

// Creates the dialog and walks its controls in tab order: identifier, class and text each.
void CheckCreatedDialog(CheckReport& report, const ExpectedDialog& want) {
    const std::string dialog = "created dialog " + std::to_string(want.id);
    HWND window = CreateDialogParamW(Module(), MAKEINTRESOURCEW(want.id), nullptr, QuietDialog, 0);
    if (!report.Expect(window != nullptr, dialog + " (error " + std::to_string(GetLastError()) +
                                              "; needs a display, run under xvfb-run)")) {
        return;
    }
    report.ExpectEqual(WindowText(window), want.caption, dialog + " caption");
    RECT units{0, 0, want.cx, want.cy};
    MapDialogRect(window, &units);
    RECT client{};
    GetClientRect(window, &client);
    report.Expect(client.right == units.right && client.bottom == units.bottom,
                  dialog + " client area is the template's size in dialog units");
    HWND child = GetWindow(window, GW_CHILD);
    for (const ExpectedItem& item : want.items) {
        const std::string name = dialog + " control " + Utf8(item.text);
        if (!report.Expect(child != nullptr, name + " exists")) {
            break;
        }
        report.ExpectEqual(
            static_cast<DWORD>(GetDlgCtrlID(child)) & (item.id > 0xFFFF ? ~0U : 0xFFFF), item.id,
            name + " identifier");
        const std::wstring className = ClassOf(child);
        report.Expect(lstrcmpiW(className.c_str(), item.className) == 0,
                      name + " class " + Utf8(className));
        report.Expect(((GetWindowLongW(child, GWL_STYLE) ^ item.style) &
                       (WS_VISIBLE | WS_DISABLED | WS_TABSTOP | WS_GROUP)) == 0,
                      name + " visible, enabled, tab stop and group as in the template");
        if (item.textOrdinal) {
            report.Expect(SendMessageW(child, STM_GETICON, 0, 0) != 0, name + " shows the icon");
        } else {
            report.ExpectEqual(WindowText(child), item.text, name + " text");
        }
        if (item.id != 0xFFFF && item.id != 0xFFFFFFFF) {
            report.Expect(GetDlgItem(window, static_cast<int>(item.id)) == child,
                          name + " found by GetDlgItem");
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
    report.Expect(child == nullptr, dialog + " has no further controls");
    DestroyWindow(window);
}

void CheckCreatedDialogs(CheckReport& report) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    report.Expect(InitCommonControlsEx(&controls) != FALSE, "common controls initialised");
    for (const ExpectedDialog& dialog : DIALOGS) {
        CheckCreatedDialog(report, dialog);
    }
}

// ---- menu and accelerators ----

std::wstring MenuText(HMENU menu, UINT position) {
    std::array<wchar_t, 128> text{};
    GetMenuStringW(menu, position, text.data(), static_cast<int>(text.size()), MF_BYPOSITION);
    return text.data();
}

void CheckMenu(CheckReport& report) {
    HMENU menu = LoadMenuW(Module(), MAKEINTRESOURCEW(IDR_MENU));
    if (!report.Expect(menu != nullptr, "menu 129 loads")) {
        return;
    }
    report.ExpectEqual(GetMenuItemCount(menu), 1, "menu 129 pop-ups");
    report.ExpectEqual(MenuText(menu, 0), L"Sterownik", "menu 129 pop-up title");
    HMENU popup = GetSubMenu(menu, 0);
    if (report.Expect(popup != nullptr, "menu 129 has its pop-up")) {
        report.ExpectEqual(GetMenuItemCount(popup), 1, "menu 129 entries");
        report.ExpectEqual(GetMenuItemID(popup, 0), UINT{ID_REMOVE}, "menu 129 entry command");
        report.ExpectEqual(MenuText(popup, 0), L"&Usuń\tDelete", "menu 129 entry text");
        report.ExpectEqual(GetMenuState(popup, 0, MF_BYPOSITION), UINT{MF_STRING},
                           "menu 129 entry is a plain enabled string");
    }
    DestroyMenu(menu);
}

void CheckAccelerators(CheckReport& report) {
    HACCEL table = LoadAcceleratorsW(Module(), MAKEINTRESOURCEW(IDR_ACCELERATOR));
    if (!report.Expect(table != nullptr, "accelerator table 130 loads")) {
        return;
    }
    std::array<ACCEL, 8> entries{};
    const int count = CopyAcceleratorTableW(table, entries.data(), entries.size());
    const std::array<ACCEL, 3> expected{
        ACCEL{FVIRTKEY | FCONTROL | FNOINVERT, 'R', ID_REFRESH},
        ACCEL{FVIRTKEY | FNOINVERT, VK_F5, ID_REFRESH},
        ACCEL{FVIRTKEY | FNOINVERT, VK_DELETE, ID_REMOVE},
    };
    if (report.ExpectEqual(count, 3, "accelerator table 130 entries")) {
        for (int i = 0; i < count; ++i) {
            const std::string name = "accelerator " + std::to_string(i);
            report.ExpectEqual(entries[i].fVirt & 0x7F, int{expected[i].fVirt},
                               name + " flags (virtual key, modifiers, no menu highlight)");
            report.ExpectEqual(entries[i].key, expected[i].key, name + " key");
            report.ExpectEqual(entries[i].cmd, expected[i].cmd, name + " command");
        }
    }
    DestroyAcceleratorTable(table);
}

// ---- image strips ----

COLORREF PixelOf(std::span<const std::byte> dib, int x, int y) {
    const auto header = ReadAt<BITMAPINFOHEADER>(dib, 0);
    const std::size_t colours = header.biClrUsed != 0 ? header.biClrUsed : 16;
    const std::size_t stride = (header.biWidth * 4 + 31) / 32 * 4;
    const std::size_t row = header.biSize + colours * 4 + (header.biHeight - 1 - y) * stride;
    const auto packed = ReadAt<BYTE>(dib, row + x / 2);
    const int index = x % 2 == 0 ? packed >> 4 : packed & 0x0F;
    const auto quad = ReadAt<RGBQUAD>(dib, header.biSize + index * 4);
    return RGB(quad.rgbRed, quad.rgbGreen, quad.rgbBlue);
}

// Draws one cell of the image list over white, as the list and its header do, and counts the
// pixels the picture changed and those left magenta (which would show the mask colour).
std::pair<int, int> DrawCell(HIMAGELIST images, int cell) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = IMAGE_CELL_SIZE;
    info.bmiHeader.biHeight = -IMAGE_CELL_SIZE;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP target = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, target);
    std::fill_n(static_cast<DWORD*>(bits), IMAGE_CELL_SIZE * IMAGE_CELL_SIZE, 0x00FFFFFF);
    ImageList_Draw(images, cell, dc, 0, 0, ILD_TRANSPARENT);
    GdiFlush();
    int changed = 0;
    int magenta = 0;
    for (int i = 0; i < IMAGE_CELL_SIZE * IMAGE_CELL_SIZE; ++i) {
        const DWORD pixel = static_cast<DWORD*>(bits)[i] & 0x00FFFFFF;
        changed += pixel != 0x00FFFFFF ? 1 : 0;
        magenta += pixel == 0x00FF00FF ? 1 : 0;
    }
    SelectObject(dc, previous);
    DeleteObject(target);
    DeleteDC(dc);
    return {changed, magenta};
}

void CheckStrip(CheckReport& report, int id, int cells, std::set<int> blankCells) {
    const std::string name = "bitmap " + std::to_string(id);
    const auto dib = Bytes(RT_BITMAP, id);
    if (!report.Expect(dib.has_value(), name + " found")) {
        return;
    }
    const auto header = ReadAt<BITMAPINFOHEADER>(*dib, 0);
    report.ExpectEqual(header.biWidth, LONG{cells * IMAGE_CELL_SIZE}, name + " width");
    report.ExpectEqual(header.biHeight, LONG{IMAGE_CELL_SIZE}, name + " height (bottom-up)");
    report.ExpectEqual(header.biBitCount, WORD{4}, name + " bits per pixel");
    report.ExpectEqual(header.biCompression, DWORD{BI_RGB}, name + " compression");
    for (int cell = 0; cell < cells; ++cell) {
        int drawn = 0;
        bool grey = true;
        for (int y = 0; y < IMAGE_CELL_SIZE; ++y) {
            for (int x = cell * IMAGE_CELL_SIZE; x < (cell + 1) * IMAGE_CELL_SIZE; ++x) {
                const COLORREF pixel = PixelOf(*dib, x, y);
                if (pixel != MAGENTA) {
                    ++drawn;
                    grey = grey && GetRValue(pixel) == GetGValue(pixel) &&
                           GetGValue(pixel) == GetBValue(pixel);
                }
            }
        }
        const std::string cellName = name + " cell " + std::to_string(cell);
        report.Expect(
            blankCells.contains(cell) ? drawn == 0 : drawn > 0,
            cellName + (blankCells.contains(cell) ? " is all magenta" : " has a picture"));
        report.Expect(grey, cellName + " is drawn in greys");
    }
    HIMAGELIST images = ImageList_LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_CELL_SIZE, 0,
                                             MAGENTA, IMAGE_BITMAP, 0);
    if (!report.Expect(images != nullptr, name + " loads as an image list")) {
        return;
    }
    report.ExpectEqual(ImageList_GetImageCount(images), cells, name + " image list cells");
    for (int cell = 0; cell < cells; ++cell) {
        const auto [changed, magenta] = DrawCell(images, cell);
        const std::string cellName = name + " drawn cell " + std::to_string(cell);
        report.Expect(blankCells.contains(cell) ? changed == 0 : changed > 0,
                      cellName + (blankCells.contains(cell) ? " leaves the background"
                                                            : " draws its picture"));
        report.ExpectEqual(magenta, 0, cellName + " magenta pixels left");
    }
    ImageList_Destroy(images);
}

// ---- icon group ----

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

void CheckIconImage(CheckReport& report, const GroupIconEntry& entry, int size, int bits) {
    const std::string name = "icon " + std::to_string(entry.id) + " (" + std::to_string(size) +
                             " px, " + std::to_string(bits) + " bits)";
    const auto image = Bytes(RT_ICON, entry.id);
    if (!report.Expect(image.has_value(), name + " found")) {
        return;
    }
    report.ExpectEqual(image->size(), std::size_t{entry.bytesInRes}, name + " size as grouped");
    const auto header = ReadAt<BITMAPINFOHEADER>(*image, 0);
    report.ExpectEqual(header.biSize, DWORD{sizeof(BITMAPINFOHEADER)},
                       name + " is a plain DIB (not PNG)");
    report.ExpectEqual(header.biWidth, LONG{size}, name + " width");
    report.ExpectEqual(header.biHeight, LONG{2 * size}, name + " height with its AND mask");
    report.ExpectEqual(header.biBitCount, WORD(bits), name + " bits per pixel");
    report.ExpectEqual(header.biCompression, DWORD{BI_RGB}, name + " uncompressed");
    const std::size_t palette = bits == 8 ? 256 * 4 : 0;
    const std::size_t colour = (size * bits + 31) / 32 * 4 * size;
    const std::size_t mask = (size + 31) / 32 * 4 * size;
    report.ExpectEqual(image->size(), sizeof(BITMAPINFOHEADER) + palette + colour + mask,
                       name + " bytes: header, palette, colours and AND mask");
    HICON icon = CreateIconFromResourceEx(
        reinterpret_cast<PBYTE>(const_cast<std::byte*>(image->data())),
        static_cast<DWORD>(image->size()), TRUE, 0x00030000, size, size, LR_DEFAULTCOLOR);
    report.Expect(icon != nullptr, name + " makes an icon");
    if (icon != nullptr) {
        DestroyIcon(icon);
    }
}

void CheckIconGroup(CheckReport& report) {
    const auto group = Bytes(RT_GROUP_ICON, IDR_MAINFRAME);
    if (!report.Expect(group.has_value(), "icon group 128 found")) {
        return;
    }
    report.ExpectEqual(ReadAt<WORD>(*group, 2), WORD{1}, "icon group 128 holds icons");
    const struct {
        int size;
        int bits;
    } expected[] = {{32, 8}, {16, 8}, {256, 32}, {48, 32}, {32, 32}, {16, 32}};
    if (!report.ExpectEqual(ReadAt<WORD>(*group, 4), WORD{6}, "icon group 128 images")) {
        return;
    }
    std::set<int> ids32;
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const auto entry = ReadAt<GroupIconEntry>(*group, 6 + i * sizeof(GroupIconEntry));
        const int size = expected[i].size;
        const std::string name = "icon group 128 entry " + std::to_string(i + 1);
        report.ExpectEqual(entry.width == 0 ? 256 : int{entry.width}, size, name + " width");
        report.ExpectEqual(entry.height == 0 ? 256 : int{entry.height}, size, name + " height");
        report.ExpectEqual(int{entry.bitCount}, expected[i].bits, name + " bits per pixel");
        report.ExpectEqual(int{entry.planes}, 1, name + " planes");
        CheckIconImage(report, entry, size, expected[i].bits);
        if (size == 32) {
            ids32.insert(entry.id);
        }
    }
    const int chosen =
        LookupIconIdFromDirectoryEx(reinterpret_cast<PBYTE>(const_cast<std::byte*>(group->data())),
                                    TRUE, 32, 32, LR_DEFAULTCOLOR);
    report.Expect(ids32.contains(chosen),
                  "the system picks a 32 x 32 image of icon group 128 for 32 x 32");
    report.Expect(LoadIconW(Module(), MAKEINTRESOURCEW(IDR_MAINFRAME)) != nullptr,
                  "icon group 128 loads as the window icon");
}

// ---- version block ----

std::wstring VersionString(const std::vector<BYTE>& block, const wchar_t* key) {
    const std::wstring path = std::wstring(L"\\StringFileInfo\\041504E2\\") + key;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) {
        return L"(missing)";
    }
    return std::wstring(static_cast<const wchar_t*>(value), length - 1);
}

void CheckVersion(CheckReport& report) {
    const wchar_t* program = Checked().path.c_str();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(program, &ignored);
    std::vector<BYTE> block(size);
    if (!report.Expect(size != 0 && GetFileVersionInfoW(program, 0, size, block.data()),
                       "the program file has a version block")) {
        return;
    }
    void* value = nullptr;
    UINT length = 0;
    if (report.Expect(VerQueryValueW(block.data(), L"\\", &value, &length) &&
                          length >= sizeof(VS_FIXEDFILEINFO),
                      "fixed version information")) {
        VS_FIXEDFILEINFO fixed{};
        std::memcpy(&fixed, value, sizeof(fixed));
        report.ExpectEqual(fixed.dwSignature, DWORD{0xFEEF04BD}, "fixed version signature");
        report.Expect(fixed.dwFileVersionMS == 0x00010000 && fixed.dwFileVersionLS == 0x00050000,
                      "file version 1.0.5.0");
        report.Expect(
            fixed.dwProductVersionMS == 0x00010000 && fixed.dwProductVersionLS == 0x00050000,
            "product version 1.0.5.0");
        report.ExpectBits(fixed.dwFileFlagsMask, 0x3F, "version flag mask");
        report.ExpectBits(fixed.dwFileFlags, 0, "version flags");
        report.ExpectBits(fixed.dwFileOS, VOS__WINDOWS32, "operating system");
        report.ExpectEqual(fixed.dwFileType, DWORD{VFT_APP}, "file type");
    }
    if (report.Expect(
            VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length) &&
                length == 4,
            "one translation entry")) {
        const auto* pair = static_cast<const WORD*>(value);
        report.Expect(pair[0] == 0x0415 && pair[1] == 1250, "translation Polish, code page 1250");
    }
    const std::wstring_view blockName = L"041504E2";
    const auto raw = Bytes(RT_VERSION, 1);
    report.Expect(raw && std::search(raw->begin(), raw->end(),
                                     reinterpret_cast<const std::byte*>(blockName.data()),
                                     reinterpret_cast<const std::byte*>(
                                         blockName.data() + blockName.size())) != raw->end(),
                  "string table named \"041504E2\" exactly");
    const std::pair<const wchar_t*, const wchar_t*> strings[] = {
        {L"CompanyName", L"Tarvex"},
        {L"FileDescription", L"Pantrel"},
        {L"FileVersion", L"1.0.5"},
        {L"InternalName", L"Pantrel.exe"},
        {L"LegalCopyright", L"Copyright © Tarvex"},
        {L"OriginalFilename", L"Pantrel.exe"},
        {L"ProductName", L"Sterowniki uniwersalne firmy Tarvex - program serwisowy"},
        {L"ProductVersion", L"1.0.5"},
    };
    for (const auto& [key, expected] : strings) {
        report.ExpectEqual(VersionString(block, key), expected, "version " + Utf8(key));
    }
}

// ---- manifest ----

// The file of the common controls that a program started with the manifest uses: the side-by-
// side assembly folder of version 6 when the dependency is honoured. Empty when the manifest
// makes no activation context or its context does not itself redirect the common controls
// (without that test, this test program's own context would answer).
std::wstring CommonControlsOfManifest() {
    ACTCTXW request{};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = Checked().path.c_str();
    request.lpResourceName = MAKEINTRESOURCEW(1);
    HANDLE context = CreateActCtxW(&request);
    ULONG_PTR cookie = 0;
    if (context == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::array<wchar_t, MAX_PATH> path{};
    if (ActivateActCtx(context, &cookie)) {
        ACTCTX_SECTION_KEYED_DATA redirection{};
        redirection.cbSize = sizeof(redirection);
        const bool redirected =
            FindActCtxSectionStringW(FIND_ACTCTX_SECTION_KEY_RETURN_HACTCTX, nullptr,
                                     ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll",
                                     &redirection) &&
            redirection.hActCtx == context;
        if (redirection.hActCtx != nullptr) {
            ReleaseActCtx(redirection.hActCtx);
        }
        HMODULE controls = redirected ? LoadLibraryW(L"comctl32.dll") : nullptr;
        if (controls != nullptr) {
            GetModuleFileNameW(controls, path.data(), static_cast<DWORD>(path.size()));
            FreeLibrary(controls);
        }
        DeactivateActCtx(0, cookie);
    }
    ReleaseActCtx(context);
    std::wstring file = path.data();
    std::transform(file.begin(), file.end(), file.begin(), ::towlower);
    return file;
}

void CheckManifest(CheckReport& report) {
    const auto bytes = Bytes(RT_MANIFEST, 1);
    if (!report.Expect(bytes.has_value(), "manifest 1 found")) {
        return;
    }
    const std::string text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    for (const char* part : {"<assemblyIdentity name=\"Microsoft.Windows.Pantrel\" "
                             "version=\"1.0.0.0\"",
                             "<description>Pantrel</description>",
                             "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                             "publicKeyToken=\"6595b64144ccf1df\"",
                             "<requestedExecutionLevel level=\"requireAdministrator\" "
                             "uiAccess=\"false\"/>"}) {
        report.Expect(text.find(part) != std::string::npos, std::string("manifest holds ") + part);
    }
    // A 32-bit architecture in the manifest of a 64-bit program stops it from starting.
    int architectures = 0;
    const std::string attribute = "processorArchitecture=\"";
    for (std::size_t at = text.find(attribute); at != std::string::npos;
         at = text.find(attribute, at + 1)) {
        const std::size_t start = at + attribute.size();
        const std::string value = text.substr(start, text.find('"', start) - start);
        report.Expect(value == "*" || value == "amd64",
                      "manifest architecture \"" + value + "\" fits a 64-bit program");
        ++architectures;
    }
    report.ExpectEqual(architectures, 2, "manifest architectures (program, common controls)");
    const std::wstring controls = CommonControlsOfManifest();
    report.Expect(
        controls.find(L"microsoft.windows.common-controls") != std::wstring::npos &&
            controls.find(L"_6.0.") != std::wstring::npos,
        "the manifest's activation context loads common controls 6 (" + Utf8(controls) + ")");
}

}  // namespace
}  // namespace pantrel

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc != 2 && argc != 3) {
        std::printf("usage: resources_test.exe PATH_OF_Sterowniki.xsd [PROGRAM.exe]\n");
        return 2;
    }
    pantrel::Program& program = pantrel::Checked();
    if (argc == 3) {
        program.path = argv[2];
        program.self = false;
        program.module = LoadLibraryExW(argv[2], nullptr,
                                        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        if (program.module == nullptr) {
            std::printf("FAIL: cannot load %s (error %lu)\n", pantrel::Utf8(argv[2]).c_str(),
                        GetLastError());
            return 1;
        }
    } else {
        std::array<wchar_t, MAX_PATH> path{};
        GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        program.path = path.data();
        program.module = GetModuleHandleW(nullptr);
    }
    std::printf("checking the resources of %s\n", pantrel::Utf8(program.path).c_str());
    pantrel::CheckReport report;
    pantrel::CheckInventory(report);
    pantrel::CheckSchema(report, argv[1]);
    pantrel::CheckStrings(report);
    for (const pantrel::ExpectedDialog& dialog : pantrel::DIALOGS) {
        pantrel::CheckDialogTemplate(report, dialog);
    }
    pantrel::CheckCreatedDialogs(report);
    pantrel::CheckMenu(report);
    pantrel::CheckAccelerators(report);
    pantrel::CheckStrip(report, IDB_KIND_IMAGES, 5, {0});
    pantrel::CheckStrip(report, IDB_SORT_IMAGES, 3, {2});
    pantrel::CheckIconGroup(report);
    pantrel::CheckVersion(report);
    pantrel::CheckManifest(report);
    return report.Finish();
}
