// Whether the process has a desktop someone sees.
#pragma once

namespace pantrel {

// Whether a person can see and answer a message box from this process. Not so for a service in
// session 0 or a process on an invisible window station, as fleet deployment tools start
// installers (as SYSTEM): a box there would wait for an OK that never comes.
bool HasVisibleDesktop();

}  // namespace pantrel
