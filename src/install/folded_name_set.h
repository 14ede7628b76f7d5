// A set of models keyed by their folded value names, holding numbers instead of names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pantrel {

// Which folded value names a model key already holds, as the store compares them. A file may
// declare a million models: the set keeps each one's number and hash, and asks `foldedOf` for
// the folded name of a number it holds only when the hashes meet.
class FoldedNameSet {
public:
    using FoldedOf = std::function<void(std::uint32_t item, std::string& folded)>;
    explicit FoldedNameSet(FoldedOf foldedOf) : foldedOf_(std::move(foldedOf)) {}

    // Adds `item` (below UINT32_MAX) under `folded`; false, leaving the set as it is, when an item
    // of that folded name is there already.
    bool Insert(std::string_view folded, std::uint32_t item);
    void Clear();

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t item = 0;  // the item plus one; 0 for an empty slot
    };
    void Grow();

    std::vector<Slot> slots_;
    std::size_t count_ = 0;
    FoldedOf foldedOf_;
    std::string held_;  // the folded name of an item held, reused
};

}  // namespace pantrel
