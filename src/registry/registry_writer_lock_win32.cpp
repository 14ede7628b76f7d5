#include "registry/registry_writer_lock_win32.h"

namespace pantrel {

RegistryWriterLock::~RegistryWriterLock() {
    if (mutex_ != nullptr) {
        if (holds_ > 0) {
            ReleaseMutex(mutex_);
        }
        CloseHandle(mutex_);
    }
}

Status RegistryWriterLock::Acquire() {
    if (holds_ > 0) {
        ++holds_;
        return ERROR_SUCCESS_STATUS;
    }
    if (mutex_ == nullptr) {
        mutex_ = CreateMutexW(nullptr, FALSE, REGISTRY_WRITERS_MUTEX);
        if (mutex_ == nullptr) {
            return static_cast<Status>(GetLastError());
        }
    }
    switch (WaitForSingleObject(mutex_, REGISTRY_WRITERS_WAIT_MS)) {
        case WAIT_OBJECT_0:
        case WAIT_ABANDONED:  // a writer died holding it; what it wrote stays as it is
            holds_ = 1;
            return ERROR_SUCCESS_STATUS;
        case WAIT_TIMEOUT:
            return ERROR_BUSY_STATUS;
        default:
            return static_cast<Status>(GetLastError());
    }
}

void RegistryWriterLock::Release() {
    if (holds_ == 0) {
        return;
    }
    if (--holds_ == 0) {
        ReleaseMutex(mutex_);
    }
}

Status HoldWriterLock(const std::shared_ptr<RegistryWriterLock>& lock, WriterHold& hold) {
    if (const Status status = lock->Acquire(); status != 0) {
        return status;
    }
    hold = WriterHold{lock};
    return ERROR_SUCCESS_STATUS;
}

}  // namespace pantrel
