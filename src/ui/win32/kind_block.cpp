#include "ui/win32/kind_block.h"

#include <cstdint>
#include <memory>

namespace pantrel::win32 {

LPARAM NewKindBlock(DeviceKind kind) {
    auto block = std::make_unique<std::uint8_t>(KindCode(kind));
    return reinterpret_cast<LPARAM>(block.release());
}

void FreeKindBlock(LPARAM block) {
    // Takes the block back from the row that owned it.
    const std::unique_ptr<std::uint8_t> owned{reinterpret_cast<std::uint8_t*>(block)};
}

DeviceKind KindInBlock(LPARAM block) {
    return KindFromCode(*reinterpret_cast<const std::uint8_t*>(block));
}

}  // namespace pantrel::win32
