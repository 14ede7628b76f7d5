#include "registry/registered_models.h"

#include <array>
#include <string>

#include "registry/model_registry.h"
#include "registry/registry_key.h"

namespace pantrel {

Status ForEachRegisteredEntry(
    RegistryStore& hive,
    const std::function<void(DeviceKind, std::string_view, std::string_view)>& take) {
    constexpr std::array kListedKinds{DeviceKind::CashRegister, DeviceKind::FiscalPrinter,
                                      DeviceKind::LabelScale};
    Status failure = ERROR_SUCCESS_STATUS;
    // A key or value that is not there is no failure of the store.
    const auto note = [&failure](Status status) {
        if (failure == ERROR_SUCCESS_STATUS && status != ERROR_FILE_NOT_FOUND_STATUS) {
            failure = status;
        }
    };
    std::string path;
    std::string name;
    std::string data;
    for (const DeviceKind kind : kListedKinds) {
        if (!ModelKeyPath(kind, path)) {
            continue;
        }
        RegistryKey key;
        // A kind never installed has no model key and no rows.
        if (const Status opened = key.Open(hive, path, KEY_READ_ACCESS);
            opened != ERROR_SUCCESS_STATUS) {
            note(opened);
            continue;
        }
        for (std::uint32_t index = 0;; ++index) {
            const Status status = EnumModelEntry(key, index, name, data);
            if (status == ERROR_MORE_DATA_STATUS) {
                continue;
            }
            if (status != ERROR_SUCCESS_STATUS) {
                if (status != ERROR_NO_MORE_ITEMS_STATUS) {
                    note(status);
                }
                break;
            }
            take(kind, name, data);
        }
        note(key.Close());
    }
    return failure;
}

ModelListing ReadRegisteredModels(RegistryStore& hive) {
    ModelListing listing;
    listing.failure = ForEachRegisteredEntry(
        hive, [&listing](DeviceKind kind, std::string_view name, std::string_view data) {
            listing.models.push_back(
                {kind, ModelOfEntry(name), ProducerOfEntry(name), std::string{data}});
        });
    return listing;
}

}  // namespace pantrel
