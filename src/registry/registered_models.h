// Reading every registered model entry of the registry.
#pragma once

#include <string>
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

// Every entry of the cash registers, fiscal printers and label scales, kind by kind in registry
// order. A value that cannot be read (an over-long name or path) is passed over and the listing
// goes on with the next one.
std::vector<RegisteredModel> ReadRegisteredModels(RegistryStore& hive);

// The order the model list opens with: model names by their Windows-1250 bytes, ties by kind
// code, producer and path, so that the order is the same on every run.
void SortForListing(std::vector<RegisteredModel>& models);

}  // namespace pantrel
