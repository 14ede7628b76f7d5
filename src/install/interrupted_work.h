// Finishing the work a killed install or uninstall left recorded, and recording one's own.
#pragma once

#include <string>
#include <vector>

#include "base/message_sink.h"
#include "registry/registration_result.h"
#include "registry/registry_store.h"
#include "registry/work_journal.h"

namespace pantrel {

// Messages said while the hold is taken, shown once it is let go: a message box left open on the
// screen while other writers wait would make them fail as "busy".
class HeldBackMessages final : public MessageSink {
public:
    void ShowError(const std::string& text) override { texts_.push_back(text); }
    // Shows the messages held back, in the order they came, and forgets them.
    void ShowTo(MessageSink& sink);

private:
    std::vector<std::string> texts_;
};

// Before an install's or uninstall's first write: takes the hold, finishes what a killed run
// left recorded, and records `work`. Done when `work` is recorded; StoreFailed with the store's
// status when the hold or the record could not be written; WorkLeftOver when recorded work could
// not be finished (told through `sink`, which should hold messages back while `hold` lasts).
// Nothing of `work` is written unless Done.
RegistrationResult BeginRecordedWork(RegistryStore& hive, const RecordedWork& work,
                                     MessageSink& sink, JournalHold& hold);

// For a run of any kind before it reads the models: when a killed run left work recorded, holds
// off other writers, finishes it and drops the record. Each run tries once and says once through
// `sink` what could not be done: a file that is gone or no longer loads drops its record (running
// it again cannot help, the technician is told which file to install or uninstall again); a store
// that fails keeps the record for the next run (answering false). The messages come after the
// hold is let go.
bool FinishInterruptedWork(RegistryStore& hive, MessageSink& sink);

}  // namespace pantrel
