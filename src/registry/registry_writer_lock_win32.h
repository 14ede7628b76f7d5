// The system-wide lock of Pantrel's registry writers on Windows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "base/win32_status.h"

namespace pantrel {

// The system-wide lock that serialises Pantrel's writers of the registry. The registry has no
// transactions, so an uninstall that finds a model key empty and deletes it must know that no
// other Pantrel wrote an entry there in between: every writer holds this lock from the moment
// it opens its first key for writing until its last write-opened key is closed.
inline constexpr const wchar_t* REGISTRY_WRITERS_MUTEX = L"Global\\PantrelRegistryWriters";

// How long a writer waits for another one before answering 170 (busy), as the stand-in store
// waits for a busy database.
inline constexpr DWORD REGISTRY_WRITERS_WAIT_MS = 30000;

// Counts the write holds of one store object: the first hold waits for the mutex, the last
// release lets it go. A Windows mutex belongs to the thread that took it, so one store object's
// write handles are opened and closed on one thread (the tool has only one).
class RegistryWriterLock {
public:
    RegistryWriterLock() = default;
    ~RegistryWriterLock();
    RegistryWriterLock(const RegistryWriterLock&) = delete;
    RegistryWriterLock& operator=(const RegistryWriterLock&) = delete;

    // 0 when held; the status of creating the mutex (5 when the process may not), or 170 when
    // another writer keeps it longer than REGISTRY_WRITERS_WAIT_MS.
    Status Acquire();
    void Release();

private:
    HANDLE mutex_ = nullptr;
    std::uint32_t holds_ = 0;
};

// One hold on the lock, released when destroyed or Release()d.
class WriterHold {
public:
    WriterHold() = default;
    explicit WriterHold(std::shared_ptr<RegistryWriterLock> lock) : lock_(std::move(lock)) {}
    ~WriterHold() { Release(); }
    WriterHold(WriterHold&& other) noexcept = default;
    WriterHold& operator=(WriterHold&& other) noexcept {
        Release();
        lock_ = std::move(other.lock_);
        return *this;
    }
    WriterHold(const WriterHold&) = delete;
    WriterHold& operator=(const WriterHold&) = delete;

    void Release() {
        if (lock_) {
            lock_->Release();
            lock_.reset();
        }
    }

private:
    std::shared_ptr<RegistryWriterLock> lock_;
};

// Takes one hold; 0 with `hold` filled in, or the status of RegistryWriterLock::Acquire.
Status HoldWriterLock(const std::shared_ptr<RegistryWriterLock>& lock, WriterHold& hold);

}  // namespace pantrel
