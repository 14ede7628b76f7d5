#include "install/specification_install.h"

#include <array>
#include <exception>
#include <optional>

#include "base/file_errors.h"
#include "install/folded_name_set.h"
#include "install/interrupted_work.h"
#include "install/planned_entries.h"
#include "loader/specification_document.h"
#include "loader/specification_namespace.h"
#include "registry/model_registry.h"
#include "registry/registry_key.h"
#include "registry/sqlite_names.h"

namespace pantrel {
namespace {

// Install and uninstall walk the kinds in this order.
constexpr std::array kInstalledKinds{DeviceKind::CashRegister, DeviceKind::LabelScale,
                                     DeviceKind::FiscalPrinter};

// The texts read for each model's entry, kept from one model to the next so that their buffers
// are reused (an install reads thousands of models).
struct EntryNameBuffers {
    std::string name;
    std::string producer;
    std::string entry;  // the value name: model name, '|', producer
};

// The value name of a model's entry, into `buffers.entry`. False when the model or its driver's
// producer cannot be read; the parser's exceptions cannot arise for a validated document, and a
// model that raises one is passed over like any other unreadable model.
bool ReadEntryName(const ModelNode& model, EntryNameBuffers& buffers) {
    try {
        if (!ReadModelName(model, buffers.name) || !ReadDriverProducer(model, buffers.producer)) {
            return false;
        }
        AssignModelEntryName(buffers.entry, buffers.name, buffers.producer);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// What writing or removing the entries of one kind's models came to.
struct EntryTally {
    int done = 0;
    Status refused = ERROR_SUCCESS_STATUS;  // the first value the store refused, or 0
};

// Runs `write` on the value name of every readable model, in order. A value that is not there
// (a removal of an entry never written) is neither done nor refused.
template <typename Write>
EntryTally ForEachEntry(const ModelList& models, Write write) {
    EntryTally tally;
    EntryNameBuffers buffers;
    for (const ModelNode& model : models) {
        if (!ReadEntryName(model, buffers)) {
            continue;
        }
        const Status status = write(model, buffers.entry);
        if (status == ERROR_SUCCESS_STATUS) {
            ++tally.done;
        } else if (status != ERROR_FILE_NOT_FOUND_STATUS && tally.refused == ERROR_SUCCESS_STATUS) {
            tally.refused = status;
        }
    }
    return tally;
}

// Passes the loader's messages on and remembers whether one was shown, so that a file the loader
// explained can be told from one it rejected without a word.
class ShownSink final : public MessageSink {
public:
    explicit ShownSink(MessageSink& sink) : sink_(sink) {}
    void ShowError(const std::string& text) override {
        shown_ = true;
        sink_.ShowError(text);
    }
    bool Shown() const { return shown_; }

private:
    MessageSink& sink_;
    bool shown_ = false;
};

// Loads the file that install or uninstall works from; Done with `document` filled, or why not.
RegistrationOutcome LoadExistingSpecification(const std::string& path, MessageSink& sink,
                                              DocumentHolder& document) {
    if (path.empty() || !FileExists(path)) {
        return RegistrationOutcome::FileMissing;
    }
    ShownSink shown{sink};
    if (LoadSpecification(document, path, SCHEMA_RESOURCE_ID, SPECIFICATION_NAMESPACE, shown) < 0) {
        return shown.Shown() ? RegistrationOutcome::FileNotLoaded
                             : RegistrationOutcome::FileNotValid;
    }
    return RegistrationOutcome::Done;
}

RegistrationResult WithOutcome(RegistrationOutcome outcome) {
    RegistrationResult result;
    result.outcome = outcome;
    return result;
}

// Adds one kind's result to the whole operation's; false when the kind failed as a whole, which
// ends the operation. Refused values do not: the next kinds are still done.
bool AddKindResult(RegistrationResult& whole, const RegistrationResult& kind) {
    if (whole.firstFailure == ERROR_SUCCESS_STATUS) {
        whole.firstFailure = kind.firstFailure;
    }
    whole.committed.insert(whole.committed.end(), kind.committed.begin(), kind.committed.end());
    if (kind.outcome != RegistrationOutcome::Done) {
        whole.outcome = kind.outcome;
    }
    return kind.outcome == RegistrationOutcome::Done ||
           kind.outcome == RegistrationOutcome::ValuesRefused;
}

// The result of one kind whose model key was closed with `closed` after `count` entries were
// written or removed; `refused` is the first value the store refused, or 0.
RegistrationResult KindResult(DeviceKind kind, int count, Status refused, Status closed) {
    RegistrationResult result;
    result.firstFailure = refused;
    if (closed != ERROR_SUCCESS_STATUS) {
        // A failed commit keeps none of the kind's changes.
        result.outcome = RegistrationOutcome::StoreFailed;
        if (result.firstFailure == ERROR_SUCCESS_STATUS) {
            result.firstFailure = closed;
        }
        return result;
    }
    if (refused != ERROR_SUCCESS_STATUS) {
        result.outcome = RegistrationOutcome::ValuesRefused;
    }
    if (count > 0) {
        result.committed.push_back({kind, count});
    }
    return result;
}

// Runs one kind's part on the kind's models, kind after kind in install order, adding up the
// results; stops at a kind that failed as a whole.
template <typename KindPart>
RegistrationResult ForEachKind(const DocumentHolder& document, KindPart part) {
    RegistrationResult result;
    ModelList models;
    for (const DeviceKind kind : kInstalledKinds) {
        if (!SelectModels(document, models, kind)) {
            result.outcome = RegistrationOutcome::FileNotValid;
            return result;
        }
        if (!AddKindResult(result, part(models, kind))) {
            return result;
        }
    }
    return result;
}

// Loads the file, records the work before its first write, runs it on the loaded file and drops
// the record again, so that only a run that never ended leaves its work for the next run. What
// finishing a killed run's record has to say is shown once the hold is let go.
template <typename Run>
RegistrationResult RunRecorded(RegistryStore& hive, const RecordedWork& work, MessageSink& sink,
                               Run run) {
    DocumentHolder document;
    if (const RegistrationOutcome loaded = LoadExistingSpecification(work.path, sink, document);
        loaded != RegistrationOutcome::Done) {
        return WithOutcome(loaded);
    }
    HeldBackMessages held;
    RegistrationResult result;
    {
        JournalHold journal;
        result = BeginRecordedWork(hive, work, held, journal);
        if (result.Succeeded()) {
            result = run(document);
            ClearRecordedWork(journal);
        }
    }
    held.ShowTo(sink);
    return result;
}

}  // namespace

RegistrationResult InstallSpecification(RegistryStore& hive, const std::string& path,
                                        MessageSink& sink) {
    // Entries the list could never read could never be removed there either: none is written.
    if (!IsListableSpecificationPath(path)) {
        return WithOutcome(RegistrationOutcome::PathNotListable);
    }
    return RunRecorded(hive, {RecordedOperation::Install, path}, sink,
                       [&](const DocumentHolder& document) {
                           return InstallLoadedSpecification(hive, document, path);
                       });
}

RegistrationResult InstallLoadedSpecification(RegistryStore& hive, const DocumentHolder& document,
                                              const std::string& path) {
    return ForEachKind(document, [&](const ModelList& models, DeviceKind kind) {
        return InstallModels(hive, models, kind, true, path);
    });
}

RegistrationResult InstallModels(RegistryStore& hive, const ModelList& models, DeviceKind kind,
                                 bool bumpVersion, const std::string& path) {
    if (models.empty()) {
        return {};
    }
    std::string driverPath;
    if (!DriverKeyPath(kind, driverPath)) {
        return WithOutcome(RegistrationOutcome::NoDriverKey);
    }
    RegistryKey key;
    if (const Status created = OpenModelKeyFor(hive, kind, ModelKeyUse::Create, key)
                                   .value_or(ERROR_FILE_NOT_FOUND_STATUS);
        created != ERROR_SUCCESS_STATUS) {
        return KindResult(kind, 0, ERROR_SUCCESS_STATUS, created);
    }
    const std::string data = StringValueData(path);
    const EntryTally written =
        ForEachEntry(models, [&](const ModelNode&, const std::string& entry) {
            return key.Get().SetValue(entry, REG_SZ_TYPE, data);
        });
    if (bumpVersion && written.done > 0) {
        BumpDriverVersion(hive, driverPath);
    }
    // Closing the model key commits the kind's entries and its new version together; when that
    // fails, none of them was written.
    return KindResult(kind, written.done, written.refused, key.Close());
}

PlannedEntries PlanInstallEntries(const DocumentHolder& document, const std::string& path) {
    PlannedEntries planned;
    planned.document = document;
    planned.path = path;
    if (!document) {
        planned.result = WithOutcome(RegistrationOutcome::FileNotValid);
        return planned;
    }
    const SpecificationRecords& records = document->records();
    const std::size_t dataSize = StringValueData(path).size();
    std::string heldEntry;
    FoldedNameSet held{[&](std::uint32_t model, std::string& folded) {
        const ModelRecord& record = records.models()[model];
        AssignModelEntryName(heldEntry, records.Name(record), records.DriverOf(record).producer);
        FoldNameInto(heldEntry, folded);
    }};
    std::string folded;
    planned.result = ForEachKind(document, [&](const ModelList& models, DeviceKind kind) {
        std::string driverPath;
        if (!models.empty() && !DriverKeyPath(kind, driverPath)) {
            return WithOutcome(RegistrationOutcome::NoDriverKey);
        }
        held.Clear();
        const EntryTally written =
            ForEachEntry(models, [&](const ModelNode& model, const std::string& entry) {
                if (!IsStorableValue(entry, dataSize)) {
                    return ERROR_INVALID_PARAMETER_STATUS;
                }
                // A name the key holds already is written over: it counts, but keeps its first
                // row.
                FoldNameInto(entry, folded);
                const auto index = static_cast<std::uint32_t>(model.model());
                if (held.Insert(folded, index)) {
                    planned.rows.push_back({index, kind});
                }
                return ERROR_SUCCESS_STATUS;
            });
        return KindResult(kind, written.done, written.refused, ERROR_SUCCESS_STATUS);
    });
    return planned;
}

RegistrationResult UninstallSpecification(RegistryStore& hive, const std::string& path,
                                          MessageSink& sink) {
    return RunRecorded(hive, {RecordedOperation::Uninstall, path}, sink,
                       [&](const DocumentHolder& document) {
                           return UninstallLoadedSpecification(hive, document);
                       });
}

RegistrationResult UninstallLoadedSpecification(RegistryStore& hive,
                                                const DocumentHolder& document) {
    return ForEachKind(document, [&](const ModelList& models, DeviceKind kind) {
        return UninstallModels(hive, models, kind);
    });
}

RegistrationResult UninstallModels(RegistryStore& hive, const ModelList& models, DeviceKind kind) {
    if (models.empty()) {
        return {};
    }
    std::string driverPath;
    if (!DriverKeyPath(kind, driverPath)) {
        return WithOutcome(RegistrationOutcome::NoDriverKey);
    }
    RegistryKey key;
    const Status opened =
        OpenModelKeyFor(hive, kind, ModelKeyUse::Write, key).value_or(ERROR_FILE_NOT_FOUND_STATUS);
    if (opened == ERROR_FILE_NOT_FOUND_STATUS) {
        return {};  // never registered: nothing to remove
    }
    // Any other failure (a store that cannot be written) must not pass for a removal.
    if (opened != ERROR_SUCCESS_STATUS) {
        return KindResult(kind, 0, ERROR_SUCCESS_STATUS, opened);
    }
    const EntryTally removed = ForEachEntry(
        models,
        [&](const ModelNode&, const std::string& entry) { return key.Get().DeleteValue(entry); });
    // The model key stays open for writing until the empty key is gone: the check and the
    // deletion are one step against other writers, so an install of other models of this kind
    // either comes before (and the key is not empty) or after (and creates the key anew).
    if (IsModelKeyEmpty(hive, kind)) {
        RegistryKey driverKey;
        if (driverKey.Open(hive, driverPath, KEY_READ_WRITE_ACCESS) == ERROR_SUCCESS_STATUS) {
            driverKey.Get().DeleteSubKey(MODEL_SUBKEY);
            driverKey.Close();
        }
    }
    return KindResult(kind, removed.done, removed.refused, key.Close());
}

}  // namespace pantrel
