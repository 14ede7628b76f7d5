// The record in the store of an install or uninstall in progress, for the next run to finish.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "registry/registry_key.h"
#include "registry/registry_store.h"

namespace pantrel {

// The tool's own key; the installer keeps its "InstallDir" value there, the record has a subkey.
inline constexpr std::string_view TOOL_KEY = "Software\\Tarvex\\Pantrel";
inline constexpr std::string_view WORK_RECORD_SUBKEY = "Praca w toku";
inline constexpr std::string_view WORK_RECORD_KEY = "Software\\Tarvex\\Pantrel\\Praca w toku";
// The record's values: the operation's switch word, written last so that a record without it
// is one whose writer was killed before its first write to the models; the specification path;
// and, for an install, a copy of each driver's "Wersja" as it was, named after the driver GUID.
inline constexpr std::string_view WORK_OPERATION_VALUE = "Operacja";
inline constexpr std::string_view WORK_FILE_VALUE = "Plik";
inline constexpr std::string_view WORK_VERSION_VALUE_PREFIX = "Wersja ";

enum class RecordedOperation { Install, Uninstall };

struct RecordedWork {
    RecordedOperation operation = RecordedOperation::Install;
    std::string path;
};

// What FindRecordedWork found.
enum class RecordState {
    None,        // nothing recorded
    Incomplete,  // a record its writer did not finish writing: nothing was written after it
    Complete,
};

// For as long as it holds, no other Pantrel writer changes the store: the tool's key is kept open
// for writing, which spans one write span of the store (on Windows, the writers' mutex). On a
// store that keeps write spans whole nothing is held and nothing is recorded: there each kind is
// one transaction already, and a record would outlive the lock that tells a live writer's work
// from a dead one's.
class JournalHold {
public:
    bool Records() const { return toolKey_.IsOpen(); }

private:
    friend Status HoldWorkJournal(RegistryStore& hive, JournalHold& hold);
    friend Status RecordWork(JournalHold& hold, RegistryStore& hive, const RecordedWork& work);
    friend Status ClearRecordedWork(JournalHold& hold);
    RegistryKey toolKey_;
};

// Takes the hold (waiting for another writer as every write does); 0, or the store's status.
Status HoldWorkJournal(RegistryStore& hive, JournalHold& hold);

// Whether a record is there, looked at without the hold (a reader takes the hold only then).
bool HasRecordedWork(RegistryStore& hive);

// Reads the record; 0 with `state` (and `work` when complete), or the store's status.
Status FindRecordedWork(RegistryStore& hive, RecordState& state, RecordedWork& work);

// Replaces any record by one of `work`, with copies of the drivers' versions for an install.
// Nothing when the hold records nothing.
Status RecordWork(JournalHold& hold, RegistryStore& hive, const RecordedWork& work);

// Removes the record; 0 also when there was none or the hold records nothing.
Status ClearRecordedWork(JournalHold& hold);

// Before a recorded install is run again: gives each driver back the version the record copied
// when the killed run had raised it already, so that the run again raises it exactly once. A
// version that is not what that run wrote (not raised yet, or changed since) is left alone.
Status UndoRecordedVersionRaises(RegistryStore& hive);

// The switch word an operation is recorded with.
std::string_view RecordedOperationWord(RecordedOperation operation);

}  // namespace pantrel
