// The device kind each list-view row carries as its item data.
#pragma once

#include <windows.h>

#include "kinds/device_kind.h"

namespace pantrel::win32 {

// Every row of the model list carries its device kind in a one-byte block of its own, as the
// row's item data: no two rows share an item-data value, so a row can be told by it. The row
// owns the block; whoever deletes the row frees it first, once.
LPARAM NewKindBlock(DeviceKind kind);
void FreeKindBlock(LPARAM block);
DeviceKind KindInBlock(LPARAM block);

}  // namespace pantrel::win32
