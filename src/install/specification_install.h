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

// Removes the entries of every model the file declares, and each model key left without values.
//
// Both first finish what a killed run left recorded, then record their own work from before
// their first write to after their last (BeginRecordedWork), so that the next run finishes it
// when this one is killed.
bool UninstallSpecification(RegistryStore& hive, const std::string& path, MessageSink& sink);

// The kinds' part of an install and of an uninstall, on a file already loaded: what a run that
// was killed midway is finished with, and what -validate registers into a scratch store. `total`
// receives the number of entries written.
bool InstallLoadedSpecification(RegistryStore& hive, const DocumentHolder& document,
                                const std::string& path, int& total);
bool UninstallLoadedSpecification(RegistryStore& hive, const DocumentHolder& document);

// Writes one entry per readable model into the kind's model key; `count` receives the number
// written.
bool InstallModels(RegistryStore& hive, const ModelList& models, DeviceKind kind, bool bumpVersion,
                   const std::string& path, int& count);

// Deletes the entry of every readable model, then the model key when it holds no values; the
// model key stays open for writing throughout, so no other writer comes between the check and
// the deletion.
bool UninstallModels(RegistryStore& hive, const ModelList& models, DeviceKind kind);

}  // namespace pantrel
