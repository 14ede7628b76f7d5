#include "install/interrupted_work.h"

#include <string>
#include <utility>
#include <vector>

#include "base/file_errors.h"
#include "install/specification_install.h"
#include "loader/specification_loader.h"
#include "loader/specification_namespace.h"

namespace pantrel {
namespace {

// "Przerwanej instalacji pliku 'X'" and "Przerwanego odinstalowania pliku 'X'": the subject of
// every message about recorded work.
std::string WorkPhrase(const RecordedWork& work) {
    const char* what = work.operation == RecordedOperation::Install ? "Przerwanej instalacji"
                                                                    : "Przerwanego odinstalowania";
    return std::string{what} + " pliku '" + work.path + "'";
}

std::string NotFinishedNow(const RecordedWork& work) {
    const char* later = work.operation == RecordedOperation::Install ? "dokończona" : "dokończone";
    return WorkPhrase(work) + " nie udało się teraz dokończyć; zostanie " + later +
           " przy następnym uruchomieniu programu.";
}

// Runs the recorded operation again on the loaded file.
RegistrationResult RunAgain(RegistryStore& hive, const RecordedWork& work,
                            const DocumentHolder& document) {
    if (work.operation == RecordedOperation::Uninstall) {
        return UninstallLoadedSpecification(hive, document);
    }
    if (const Status undone = UndoRecordedVersionRaises(hive); undone != ERROR_SUCCESS_STATUS) {
        RegistrationResult result;
        result.outcome = RegistrationOutcome::StoreFailed;
        result.firstFailure = undone;
        return result;
    }
    return InstallLoadedSpecification(hive, document, work.path);
}

// Finished, but with entries the store would refuse at every run: told once, not kept.
std::string FinishedWithRefusals(const RecordedWork& work) {
    if (work.operation == RecordedOperation::Install) {
        return "Dokończono przerwaną instalację pliku '" + work.path +
               "', ale rejestr nie przyjął części wpisów modeli.";
    }
    return "Dokończono przerwane odinstalowanie pliku '" + work.path +
           "', ale rejestr nie pozwolił usunąć części wpisów modeli.";
}

// Drops the record; when the store refuses, says so, since the run then ends without its work.
bool ClearOrTell(JournalHold& hold, MessageSink& sink) {
    if (ClearRecordedWork(hold) == ERROR_SUCCESS_STATUS) {
        return true;
    }
    sink.ShowError(
        "Nie można usunąć z rejestru zapisu przerwanej pracy programu; program spróbuje ponownie "
        "przy następnym uruchomieniu.");
    return false;
}

// Finishes whatever is recorded, with the hold taken; false when it stays recorded.
bool FinishHeldWork(RegistryStore& hive, MessageSink& sink, JournalHold& hold) {
    RecordState state = RecordState::None;
    RecordedWork work;
    if (FindRecordedWork(hive, state, work) != ERROR_SUCCESS_STATUS) {
        sink.ShowError("Nie można odczytać zapisu przerwanej pracy programu w rejestrze.");
        return false;
    }
    if (state == RecordState::None) {
        return true;
    }
    if (state == RecordState::Incomplete) {
        return ClearOrTell(hold, sink);  // killed before it wrote
    }
    if (!FileExists(work.path)) {
        sink.ShowError(WorkPhrase(work) +
                       " nie można dokończyć: plik już nie istnieje. To, co zdążyło się zapisać, "
                       "zostaje w rejestrze.");
        return ClearOrTell(hold, sink);
    }
    DocumentHolder document;
    if (LoadSpecification(document, work.path, SCHEMA_RESOURCE_ID, SPECIFICATION_NAMESPACE, sink) <
        0) {
        sink.ShowError(WorkPhrase(work) +
                       " nie można dokończyć: plik nie jest już poprawną specyfikacją "
                       "sterownika. To, co zdążyło się zapisać, zostaje w rejestrze.");
        return ClearOrTell(hold, sink);
    }
    // Values the store refuses would be refused again at every later run, which would then all
    // stop here: the rest of the work is done, so the record goes.
    const RegistrationResult again = RunAgain(hive, work, document);
    const bool refusedOnly = again.outcome == RegistrationOutcome::ValuesRefused;
    if ((!again.Succeeded() && !refusedOnly) || ClearRecordedWork(hold) != ERROR_SUCCESS_STATUS) {
        sink.ShowError(NotFinishedNow(work));
        return false;
    }
    if (refusedOnly) {
        sink.ShowError(FinishedWithRefusals(work));
    }
    return true;
}

}  // namespace

void HeldBackMessages::ShowTo(MessageSink& sink) {
    const std::vector<std::string> texts = std::move(texts_);
    texts_.clear();
    for (const std::string& text : texts) {
        sink.ShowError(text);
    }
}

RegistrationResult BeginRecordedWork(RegistryStore& hive, const RecordedWork& work,
                                     MessageSink& sink, JournalHold& hold) {
    RegistrationResult result;
    if (const Status held = HoldWorkJournal(hive, hold); held != ERROR_SUCCESS_STATUS) {
        result.outcome = RegistrationOutcome::StoreFailed;
        result.firstFailure = held;
    } else if (!FinishHeldWork(hive, sink, hold)) {
        result.outcome = RegistrationOutcome::WorkLeftOver;
    } else if (const Status recorded = RecordWork(hold, hive, work);
               recorded != ERROR_SUCCESS_STATUS) {
        result.outcome = RegistrationOutcome::StoreFailed;
        result.firstFailure = recorded;
    }
    return result;
}

bool FinishInterruptedWork(RegistryStore& hive, MessageSink& sink) {
    if (!HasRecordedWork(hive)) {
        return true;
    }
    HeldBackMessages held;
    bool finished = false;
    {
        JournalHold hold;
        if (HoldWorkJournal(hive, hold) == ERROR_SUCCESS_STATUS) {
            finished = FinishHeldWork(hive, held, hold);
        } else {
            RecordState state = RecordState::None;
            RecordedWork work;
            FindRecordedWork(hive, state, work);
            if (state == RecordState::Complete) {
                held.ShowError(NotFinishedNow(work));
            }
        }
    }
    held.ShowTo(sink);
    return finished;
}

}  // namespace pantrel
