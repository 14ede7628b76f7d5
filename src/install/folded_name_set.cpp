#include "install/folded_name_set.h"

#include <utility>

namespace pantrel {

bool FoldedNameSet::Insert(std::string_view folded, std::uint32_t item) {
    // Kept at most half full, so that a probe ends after a slot or two.
    if ((count_ + 1) * 2 > slots_.size()) {
        Grow();
    }
    const auto hash = static_cast<std::uint32_t>(std::hash<std::string_view>{}(folded));
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (slot.item == 0) {
            slot = {hash, item + 1};
            ++count_;
            return true;
        }
        if (slot.hash == hash) {
            foldedOf_(slot.item - 1, held_);
            if (held_ == folded) {
                return false;
            }
        }
    }
}

void FoldedNameSet::Clear() {
    slots_.clear();
    count_ = 0;
}

void FoldedNameSet::Grow() {
    const std::vector<Slot> old = std::exchange(slots_, {});
    slots_.assign(old.empty() ? 64 : old.size() * 2, Slot{});
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.item == 0) {
            continue;
        }
        std::size_t i = slot.hash & mask;
        while (slots_[i].item != 0) {
            i = (i + 1) & mask;
        }
        slots_[i] = slot;
    }
}

}  // namespace pantrel
