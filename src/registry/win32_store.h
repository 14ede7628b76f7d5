// The Windows registry as a store.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "registry/registry_store.h"

namespace pantrel {

class RegistryWriterLock;

// The real registry under HKEY_LOCAL_MACHINE, through the wide registry calls.
//
// - Always the 32-bit view (KEY_WOW64_32KEY): the universal driver is a 32-bit program, and on
//   64-bit Windows it reads Software\WOW6432Node\…; the 64-bit view would hold models no
//   driver ever sees.
// - Names and texts are UTF-8 here and UTF-16 in the registry, so they stay exact whatever the
//   system's ANSI code page; REG_SZ, REG_EXPAND_SZ and REG_MULTI_SZ data are converted, other
//   data pass as bytes. Capacities count what an ANSI reader of the registry receives, as on
//   every store: one per Windows-1250 character, UTF-16 units for any other (RegistryDataSize).
// - The Win32 statuses are passed through (2 missing, 5 no rights, 1018 key deleted…); empty
//   path components and names or data longer than the registry takes answer 87, text that is
//   not UTF-8 answers 1113.
// - Pantrel's writers are serialised by one system-wide named mutex, held from the first key
//   opened (or created) for writing until the last write-opened key of this object is closed.
// - Values and subkeys are listed in the registry's own order, stable while the key is
//   unchanged. Nothing is transactional: a value is in the registry once it is written.
class Win32RegistryStore final : public RegistryStore {
public:
    // `root` is a key path under HKEY_LOCAL_MACHINE under which every path lies: empty for the
    // hive itself, a key of their own for tests.
    explicit Win32RegistryStore(std::string root = {});
    ~Win32RegistryStore() override;

    Status OpenKey(std::string_view path, std::uint32_t access,
                   std::unique_ptr<StoreKey>& key) override;
    Status CreateKey(std::string_view path, std::uint32_t access,
                     std::unique_ptr<StoreKey>& key) override;

private:
    Status Open(std::string_view path, std::uint32_t access, bool create,
                std::unique_ptr<StoreKey>& key);

    std::string root_;
    std::shared_ptr<RegistryWriterLock> writers_;
};

}  // namespace pantrel
