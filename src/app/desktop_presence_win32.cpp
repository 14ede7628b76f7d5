#include "app/desktop_presence_win32.h"

#include <windows.h>

namespace pantrel {

bool HasVisibleDesktop() {
#ifdef PANTREL_TEST_SEAMS
    // Only the test build of the program reads it: the tests cannot start it in session 0.
    if (GetEnvironmentVariableW(L"PANTREL_TEST_NO_DESKTOP", nullptr, 0) != 0) {
        return false;
    }
#endif
    DWORD session = 0;
    if (ProcessIdToSessionId(GetCurrentProcessId(), &session) != 0 && session == 0) {
        return false;  // services' session: no one is logged on to it
    }
    // A station that cannot be asked counts as unseen: a lost box is better than a hang.
    const HWINSTA station = GetProcessWindowStation();
    USEROBJECTFLAGS flags{};
    if (station == nullptr ||
        GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof flags, nullptr) == 0) {
        return false;
    }
    return (flags.dwFlags & WSF_VISIBLE) != 0;
}

}  // namespace pantrel
