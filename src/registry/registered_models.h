// Reading every registered model entry of the registry.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "kinds/device_kind.h"
#include "registry/registry_store.h"

namespace pantrel {

// One model entry as the universal driver sees it.
struct RegisteredModel {
    DeviceKind kind = DeviceKind::CashRegister;
    std::string model;
    std::string producer;
    std::string path;  // the specification file it was registered from
};

// What a listing of the registry read, and the first failure of the store while reading it.
struct ModelListing {
    std::vector<RegisteredModel> models;
    // 0 when every model key was read or is not there; a store that cannot be read is not an
    // empty one, so callers must not take its models for all of them.
    Status failure = ERROR_SUCCESS_STATUS;
};

// Calls `take` with the kind, value name and data of every entry of the cash registers, fiscal
// printers and label scales, kind by kind in registry order, passing over the values that cannot
// be read as ReadRegisteredModels does; the texts last until the next call. Answers the first
// failure of the store, 0 when every model key was read or is not there.
Status ForEachRegisteredEntry(
    RegistryStore& hive,
    const std::function<void(DeviceKind kind, std::string_view name, std::string_view data)>& take);

// Every entry of the cash registers, fiscal printers and label scales, kind by kind in registry
// order. A value that cannot be read (an over-long name or path) is passed over and the listing
// goes on with the next one; a kind whose key fails to open or list ends its part of the listing.
ModelListing ReadRegisteredModels(RegistryStore& hive);

}  // namespace pantrel
