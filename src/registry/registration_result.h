// What an install, an uninstall or the removal of one model did to the registry.
#pragma once

#include <cstdint>
#include <vector>

#include "base/win32_status.h"
#include "kinds/device_kind.h"

namespace pantrel {

enum class RegistrationOutcome : std::uint8_t {
    Done,             // every model went through (a model never registered counts as removed)
    FileMissing,      // no path, or no such file: nothing was read or written
    PathNotListable,  // the list could never show the entries' path: nothing was written
    FileNotLoaded,    // the loader showed why the file does not load: nothing was written
    FileNotValid,     // the file was rejected without a message
    NoDriverKey,      // the kind has no driver key: nothing was written for it
    ValuesRefused,    // the store refused some values; the others went through
    StoreFailed,      // a kind's model key could not be opened, created or committed: the
                      // operation stopped there, and the kinds before it stay done
    WorkLeftOver,     // what a killed run left recorded could not be finished, and the user was
                      // told why: nothing of this operation was written
};

// How many entries of one kind were written or removed, once they were committed.
struct KindCount {
    DeviceKind kind = DeviceKind::CashRegister;
    int count = 0;
    bool operator==(const KindCount&) const = default;
};

struct RegistrationResult {
    RegistrationOutcome outcome = RegistrationOutcome::Done;
    // The status of the first store call that failed; 0 when none did (a key or value that is
    // not there is no failure).
    Status firstFailure = ERROR_SUCCESS_STATUS;
    // The kinds whose entries were committed, in the order they were done; a kind that wrote or
    // removed nothing is not listed.
    std::vector<KindCount> committed;

    bool Succeeded() const { return outcome == RegistrationOutcome::Done; }
    // The store refused the work, in part or whole: `firstFailure` says why.
    bool StoreRefused() const {
        return outcome == RegistrationOutcome::ValuesRefused ||
               outcome == RegistrationOutcome::StoreFailed;
    }
    // Entries written or removed over all committed kinds.
    int Total() const {
        int total = 0;
        for (const KindCount& kind : committed) {
            total += kind.count;
        }
        return total;
    }
};

}  // namespace pantrel
