#include "registry/work_journal.h"

#include <array>
#include <cstdint>

#include "kinds/device_kind.h"
#include "registry/model_registry.h"

namespace pantrel {
namespace {

constexpr std::array kDriverKinds{DeviceKind::CashRegister, DeviceKind::FiscalPrinter,
                                  DeviceKind::LabelScale};

// Room for a specification path as the store counts it; install refuses longer ones anyway.
constexpr std::size_t kPathCapacity = 32768;

constexpr std::string_view kInstallWord = "install";
constexpr std::string_view kUninstallWord = "uninstall";

// The record's value holding the copy of a driver's version; false for a kind without a driver.
bool VersionCopyName(DeviceKind kind, std::string& name) {
    std::string guid;
    if (!DriverGuid(kind, guid)) {
        return false;
    }
    name = std::string{WORK_VERSION_VALUE_PREFIX} + guid;
    return true;
}

// One value whole, whatever its type: 0 with its type and data, or the store's status.
Status ReadWholeValue(StoreKey& key, std::string_view name, std::uint32_t& type,
                      std::string& data) {
    std::size_t capacity = VERSION_TEXT_CAPACITY;
    std::size_t size = 0;
    Status status = key.QueryValue(name, type, data, capacity, size);
    // A value that grows between the two reads is taken as too long: it is no version.
    if (status == ERROR_MORE_DATA_STATUS) {
        capacity = size;
        status = key.QueryValue(name, type, data, capacity, size);
    }
    return status;
}

// Copies the drivers' versions into the record key, for a value that is there.
Status CopyVersions(RegistryStore& hive, StoreKey& record) {
    for (const DeviceKind kind : kDriverKinds) {
        std::string driverPath;
        std::string copyName;
        if (!DriverKeyPath(kind, driverPath) || !VersionCopyName(kind, copyName)) {
            continue;
        }
        RegistryKey driver;
        const Status opened = driver.Open(hive, driverPath, KEY_READ_ACCESS);
        if (opened == ERROR_FILE_NOT_FOUND_STATUS) {
            continue;
        }
        if (opened != ERROR_SUCCESS_STATUS) {
            return opened;
        }
        std::uint32_t type = 0;
        std::string data;
        const Status read = ReadWholeValue(driver.Get(), VERSION_VALUE, type, data);
        if (read == ERROR_FILE_NOT_FOUND_STATUS) {
            continue;
        }
        if (read != ERROR_SUCCESS_STATUS) {
            return read;
        }
        if (const Status written = record.SetValue(copyName, type, data); written != 0) {
            return written;
        }
    }
    return ERROR_SUCCESS_STATUS;
}

// Gives one driver its copied version back when its version is the one the recorded install
// wrote over the copy.
Status UndoVersionRaise(RegistryStore& hive, const RegistryKey& record, DeviceKind kind) {
    std::string driverPath;
    std::string copyName;
    if (!DriverKeyPath(kind, driverPath) || !VersionCopyName(kind, copyName)) {
        return ERROR_SUCCESS_STATUS;
    }
    RegistryKey driver;
    const Status opened = driver.Open(hive, driverPath, KEY_READ_WRITE_ACCESS);
    if (opened == ERROR_FILE_NOT_FOUND_STATUS) {
        return ERROR_SUCCESS_STATUS;  // the killed run never reached this driver
    }
    if (opened != ERROR_SUCCESS_STATUS) {
        return opened;
    }
    // Both read as BumpDriverVersion reads them, so the comparison is with what it wrote.
    std::string copied;
    std::string current;
    record.QueryText(copyName, copied, VERSION_TEXT_CAPACITY);
    driver.QueryText(VERSION_VALUE, current, VERSION_TEXT_CAPACITY);
    if (current != NextVersionText(copied)) {
        return driver.Close();
    }
    std::uint32_t type = 0;
    std::string data;
    const Status read = ReadWholeValue(record.Get(), copyName, type, data);
    Status restored = ERROR_SUCCESS_STATUS;
    if (read == ERROR_FILE_NOT_FOUND_STATUS) {
        restored = driver.Get().DeleteValue(VERSION_VALUE);  // there was none before
    } else if (read == ERROR_SUCCESS_STATUS) {
        restored = driver.Get().SetValue(VERSION_VALUE, type, data);
    } else {
        restored = read;
    }
    const Status closed = driver.Close();
    return restored != ERROR_SUCCESS_STATUS ? restored : closed;
}

}  // namespace

std::string_view RecordedOperationWord(RecordedOperation operation) {
    return operation == RecordedOperation::Install ? kInstallWord : kUninstallWord;
}

Status HoldWorkJournal(RegistryStore& hive, JournalHold& hold) {
    if (hive.KeepsWriteSpansWhole()) {
        return ERROR_SUCCESS_STATUS;
    }
    return hold.toolKey_.Create(hive, TOOL_KEY, KEY_READ_WRITE_ACCESS);
}

bool HasRecordedWork(RegistryStore& hive) {
    if (hive.KeepsWriteSpansWhole()) {
        return false;
    }
    RegistryKey record;
    return record.Open(hive, WORK_RECORD_KEY, KEY_READ_ACCESS) == ERROR_SUCCESS_STATUS;
}

Status FindRecordedWork(RegistryStore& hive, RecordState& state, RecordedWork& work) {
    state = RecordState::None;
    if (hive.KeepsWriteSpansWhole()) {
        return ERROR_SUCCESS_STATUS;
    }
    RegistryKey record;
    const Status opened = record.Open(hive, WORK_RECORD_KEY, KEY_READ_ACCESS);
    if (opened == ERROR_FILE_NOT_FOUND_STATUS) {
        return ERROR_SUCCESS_STATUS;
    }
    if (opened != ERROR_SUCCESS_STATUS) {
        return opened;
    }
    std::string word;
    // A value missing or malformed is a record its run never finished writing; any other failure
    // to read it says nothing of the record, which must then stay for a run that can read it.
    for (const Status read : {record.QueryText(WORK_OPERATION_VALUE, word, VERSION_TEXT_CAPACITY),
                              record.QueryText(WORK_FILE_VALUE, work.path, kPathCapacity)}) {
        if (read != ERROR_SUCCESS_STATUS && read != ERROR_FILE_NOT_FOUND_STATUS &&
            read != ERROR_MORE_DATA_STATUS && read != ERROR_INVALID_DATA_STATUS) {
            return read;
        }
    }
    state = RecordState::Complete;
    if (word == kInstallWord) {
        work.operation = RecordedOperation::Install;
    } else if (word == kUninstallWord) {
        work.operation = RecordedOperation::Uninstall;
    } else {
        state = RecordState::Incomplete;
    }
    if (work.path.empty()) {
        state = RecordState::Incomplete;
    }
    return ERROR_SUCCESS_STATUS;
}

Status RecordWork(JournalHold& hold, RegistryStore& hive, const RecordedWork& work) {
    if (!hold.Records()) {
        return ERROR_SUCCESS_STATUS;
    }
    // A record left incomplete could hold copies of versions this one has not.
    if (const Status cleared = ClearRecordedWork(hold); cleared != ERROR_SUCCESS_STATUS) {
        return cleared;
    }
    RegistryKey record;
    Status status = record.Create(hive, WORK_RECORD_KEY, KEY_READ_WRITE_ACCESS);
    if (status == ERROR_SUCCESS_STATUS && work.operation == RecordedOperation::Install) {
        status = CopyVersions(hive, record.Get());
    }
    if (status == ERROR_SUCCESS_STATUS) {
        status = record.Get().SetValue(WORK_FILE_VALUE, REG_SZ_TYPE, StringValueData(work.path));
    }
    if (status == ERROR_SUCCESS_STATUS) {
        status = record.Get().SetValue(WORK_OPERATION_VALUE, REG_SZ_TYPE,
                                       StringValueData(RecordedOperationWord(work.operation)));
    }
    const Status closed = record.Close();
    return status != ERROR_SUCCESS_STATUS ? status : closed;
}

Status ClearRecordedWork(JournalHold& hold) {
    if (!hold.Records()) {
        return ERROR_SUCCESS_STATUS;
    }
    const Status status = hold.toolKey_.Get().DeleteSubKey(WORK_RECORD_SUBKEY);
    return status == ERROR_FILE_NOT_FOUND_STATUS ? ERROR_SUCCESS_STATUS : status;
}

Status UndoRecordedVersionRaises(RegistryStore& hive) {
    RegistryKey record;
    if (const Status opened = record.Open(hive, WORK_RECORD_KEY, KEY_READ_ACCESS); opened != 0) {
        return opened == ERROR_FILE_NOT_FOUND_STATUS ? ERROR_SUCCESS_STATUS : opened;
    }
    for (const DeviceKind kind : kDriverKinds) {
        if (const Status status = UndoVersionRaise(hive, record, kind); status != 0) {
            return status;
        }
    }
    return ERROR_SUCCESS_STATUS;
}

}  // namespace pantrel
