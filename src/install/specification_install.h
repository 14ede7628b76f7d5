// Installing and uninstalling the models a driver file declares.
#pragma once

#include <string>

#include "base/message_sink.h"
#include "kinds/device_kind.h"
#include "loader/model_queries.h"
#include "registry/registration_result.h"
#include "registry/registry_store.h"

namespace pantrel {

// Registers every model the file declares (cash registers, label scales, fiscal printers, in that
// order) and raises the version of each driver that received entries. A value the store refuses
// is passed over and the install goes on; a kind whose model key cannot be created or committed
// ends it, and the kinds before it stay registered. A path too long for the list to show
// (IsListableSpecificationPath) is refused before anything is loaded or written.
RegistrationResult InstallSpecification(RegistryStore& hive, const std::string& path,
                                        MessageSink& sink);

// Removes the entries of every model the file declares, and each model key left without values;
// refused deletions and failed kinds as for the install.
//
// Both first finish what a killed run left recorded, then record their own work from before
// their first write to after their last (BeginRecordedWork), so that the next run finishes it
// when this one is killed.
RegistrationResult UninstallSpecification(RegistryStore& hive, const std::string& path,
                                          MessageSink& sink);

// The kinds' part of an install and of an uninstall, on a file already loaded: what a run that
// was killed midway is finished with.
RegistrationResult InstallLoadedSpecification(RegistryStore& hive, const DocumentHolder& document,
                                              const std::string& path);
RegistrationResult UninstallLoadedSpecification(RegistryStore& hive,
                                                const DocumentHolder& document);

// Writes one entry per readable model into the kind's model key.
RegistrationResult InstallModels(RegistryStore& hive, const ModelList& models, DeviceKind kind,
                                 bool bumpVersion, const std::string& path);

// Deletes the entry of every readable model, then the model key when it holds no values; the
// model key stays open for writing throughout, so no other writer comes between the check and
// the deletion.
RegistrationResult UninstallModels(RegistryStore& hive, const ModelList& models, DeviceKind kind);

}  // namespace pantrel
