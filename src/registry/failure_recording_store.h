// A store wrapper that remembers the first real failure.
#pragma once

#include <memory>
#include <string_view>

#include "registry/registry_store.h"

namespace pantrel {

// Passes every call on to a store and remembers the first failure that is more than a missing
// key, so that a silent command-line run can still tell the installer why nothing was written.
class FailureRecordingStore final : public RegistryStore {
public:
    explicit FailureRecordingStore(RegistryStore& store) : store_(store) {}

    Status OpenKey(std::string_view path, std::uint32_t access,
                   std::unique_ptr<StoreKey>& key) override;
    Status CreateKey(std::string_view path, std::uint32_t access,
                     std::unique_ptr<StoreKey>& key) override;

    // 0 while every open, create, listing of values, write, deletion and commit succeeded or
    // found nothing.
    Status FirstFailure() const { return firstFailure_; }
    void Record(Status status);

private:
    Status Wrap(Status status, std::unique_ptr<StoreKey>& key);

    RegistryStore& store_;
    Status firstFailure_ = ERROR_SUCCESS_STATUS;
};

}  // namespace pantrel
