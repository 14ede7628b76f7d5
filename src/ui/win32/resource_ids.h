#pragma once

// Numbers of the Windows resources and controls the window looks up (res/pantrel.rc).
namespace pantrel::win32 {

inline constexpr int ABOUT_DIALOG = 100;
inline constexpr int MAIN_DIALOG = 102;
inline constexpr int KIND_BITMAP = 103;
inline constexpr int SORT_BITMAP = 104;
inline constexpr int MAIN_ICON = 128;
inline constexpr int MODEL_MENU = 129;
inline constexpr int MAIN_ACCELERATORS = 130;

inline constexpr int MODEL_LIST_CONTROL = 2001;
inline constexpr int VERSION_CONTROL = 2005;

inline constexpr int ADD_COMMAND = 131;
inline constexpr int UPDATE_COMMAND = 132;
inline constexpr int REMOVE_COMMAND = 133;
inline constexpr int REFRESH_COMMAND = 134;

// The system-menu entry of the About box; the system ignores the low four bits of a system
// command, so 16 to 31 all mean this entry.
inline constexpr unsigned ABOUT_COMMAND_ID = 16;

}  // namespace pantrel::win32
