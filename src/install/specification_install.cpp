#include "install/specification_install.h"

#include <array>
#include <exception>
#include <optional>

#include "base/file_errors.h"
#include "loader/specification_namespace.h"
#include "registry/model_registry.h"
#include "registry/registry_key.h"

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

// Loads the file that install or uninstall works from; false, with nothing shown, for an empty
// path or a missing file, and false after the loader's message for a file that does not load.
bool LoadExistingSpecification(const std::string& path, MessageSink& sink,
                               DocumentHolder& document) {
    return !path.empty() && FileExists(path) &&
           LoadSpecification(document, path, SCHEMA_RESOURCE_ID, SPECIFICATION_NAMESPACE, sink) >=
               0;
}

}  // namespace

bool InstallSpecification(RegistryStore& hive, const std::string& path, MessageSink& sink,
                          int* count) {
    // Entries the list could never read could never be removed there either: none is written.
    if (!IsListableSpecificationPath(path)) {
        return false;
    }
    DocumentHolder document;
    return LoadExistingSpecification(path, sink, document) &&
           InstallLoadedSpecification(hive, document, path, count);
}

bool InstallLoadedSpecification(RegistryStore& hive, const DocumentHolder& document,
                                const std::string& path, int* count) {
    int total = 0;
    ModelList models;
    for (const DeviceKind kind : kInstalledKinds) {
        if (!SelectModels(document, models, kind)) {
            return false;
        }
        int written = 0;
        if (!InstallModels(hive, models, kind, true, path, written)) {
            return false;
        }
        total += written;
    }
    if (count != nullptr) {
        *count = total;
    }
    return true;
}

bool InstallModels(RegistryStore& hive, const ModelList& models, DeviceKind kind, bool bumpVersion,
                   const std::string& path, int& count) {
    if (models.empty()) {
        count = 0;
        return true;
    }
    std::string driverPath;
    if (!DriverKeyPath(kind, driverPath)) {
        return false;
    }
    RegistryKey key;
    if (OpenModelKeyFor(hive, kind, ModelKeyUse::Create, key) != ERROR_SUCCESS_STATUS) {
        return false;
    }
    const std::string data = StringValueData(path);
    int written = 0;
    EntryNameBuffers buffers;
    for (std::size_t i = 0; i < models.size(); ++i) {
        if (!ReadEntryName(models[i], buffers)) {
            continue;
        }
        if (key.Get().SetValue(buffers.entry, REG_SZ_TYPE, data) == ERROR_SUCCESS_STATUS) {
            ++written;
        }
    }
    if (bumpVersion && written > 0) {
        BumpDriverVersion(hive, driverPath);
    }
    // Closing the model key commits the kind's entries and its new version together; when that
    // fails, none of them was written.
    if (key.Close() != ERROR_SUCCESS_STATUS) {
        count = 0;
        return false;
    }
    count = written;
    return true;
}

bool UninstallSpecification(RegistryStore& hive, const std::string& path, MessageSink& sink) {
    DocumentHolder document;
    if (!LoadExistingSpecification(path, sink, document)) {
        return false;
    }
    ModelList models;
    for (const DeviceKind kind : kInstalledKinds) {
        if (!SelectModels(document, models, kind) || !UninstallModels(hive, models, kind)) {
            return false;
        }
    }
    return true;
}

bool UninstallModels(RegistryStore& hive, const ModelList& models, DeviceKind kind) {
    if (models.empty()) {
        return true;
    }
    std::string driverPath;
    if (!DriverKeyPath(kind, driverPath)) {
        return false;
    }
    RegistryKey key;
    const std::optional<Status> opened = OpenModelKeyFor(hive, kind, ModelKeyUse::Write, key);
    if (opened == ERROR_FILE_NOT_FOUND_STATUS) {
        return true;  // never registered: nothing to remove
    }
    // Any other failure (a store that cannot be written) must not pass for a removal.
    if (opened != ERROR_SUCCESS_STATUS) {
        return false;
    }
    EntryNameBuffers buffers;
    for (std::size_t i = 0; i < models.size(); ++i) {
        if (ReadEntryName(models[i], buffers)) {
            key.Get().DeleteValue(buffers.entry);
        }
    }
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
    return key.Close() == ERROR_SUCCESS_STATUS;
}

}  // namespace pantrel
