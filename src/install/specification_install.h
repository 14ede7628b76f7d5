// Installing and uninstalling the models a driver file declares.
#pragma once

#include <string>

#include "base/message_sink.h"
#include "kinds/device_kind.h"
#include "loader/model_queries.h"
#include "registry/registry_store.h"

namespace pantrel {

// Registers every model the file declares (cash registers, label scales, fiscal printers, in that
// order) and raises the version of each driver that received entries. On success `count`, when
// given, receives the number of entries written. A path too long for the list to show
// (IsListableSpecificationPath) is refused before anything is loaded or written.
bool InstallSpecification(RegistryStore& hive, const std::string& path, MessageSink& sink,
                          int* count = nullptr);

// Registers the models of a document already loaded from `path`, as InstallSpecification does
// after its load.
bool InstallLoadedSpecification(RegistryStore& hive, const DocumentHolder& document,
                                const std::string& path, int* count = nullptr);

// Removes the entries of every model the file declares, and each model key left without values.
bool UninstallSpecification(RegistryStore& hive, const std::string& path, MessageSink& sink);

// Writes one entry per readable model into the kind's model key; `count` receives the number
// written.
bool InstallModels(RegistryStore& hive, const ModelList& models, DeviceKind kind, bool bumpVersion,
                   const std::string& path, int& count);

// Deletes the entry of every readable model, then the model key when it holds no values; the
// model key stays open for writing throughout, so no other writer comes between the check and
// the deletion.
bool UninstallModels(RegistryStore& hive, const ModelList& models, DeviceKind kind);

}  // namespace pantrel
