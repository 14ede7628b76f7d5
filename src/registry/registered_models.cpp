#include "registry/registered_models.h"

#include <algorithm>
#include <array>
#include <tuple>

#include "base/windows1250.h"
#include "registry/model_registry.h"
#include "registry/registry_key.h"

namespace pantrel {

std::vector<RegisteredModel> ReadRegisteredModels(RegistryStore& hive) {
    constexpr std::array kListedKinds{DeviceKind::CashRegister, DeviceKind::FiscalPrinter,
                                      DeviceKind::LabelScale};
    std::vector<RegisteredModel> models;
    for (const DeviceKind kind : kListedKinds) {
        RegistryKey key;
        if (!OpenModelKey(hive, kind, key)) {
            continue;
        }
        std::string name;
        std::string data;
        for (std::uint32_t index = 0;; ++index) {
            const Status status = EnumModelEntry(key, index, name, data);
            if (status == ERROR_MORE_DATA_STATUS) {
                continue;
            }
            if (status != ERROR_SUCCESS_STATUS) {
                break;
            }
            models.push_back({kind, ModelOfEntry(name), ProducerOfEntry(name), data});
        }
    }
    return models;
}

void SortForListing(std::vector<RegisteredModel>& models) {
    struct Keyed {
        std::u32string model;
        std::uint8_t kind;
        std::u32string producer;
        std::u32string path;
        RegisteredModel entry;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(models.size());
    for (RegisteredModel& m : models) {
        keyed.push_back({Windows1250SortKey(m.model), KindCode(m.kind),
                         Windows1250SortKey(m.producer), Windows1250SortKey(m.path), std::move(m)});
    }
    std::ranges::sort(keyed, [](const Keyed& a, const Keyed& b) {
        return std::tie(a.model, a.kind, a.producer, a.path) <
               std::tie(b.model, b.kind, b.producer, b.path);
    });
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        models[i] = std::move(keyed[i].entry);
    }
}

}  // namespace pantrel
