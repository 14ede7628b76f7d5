#include "registry/listing_order.h"

#include "base/windows1250.h"

namespace pantrel {

bool ListsBefore(const ListedEntry& a, const ListedEntry& b) {
    if (const int model = CompareWindows1250Order(a.model, b.model); model != 0) {
        return model < 0;
    }
    if (KindCode(a.kind) != KindCode(b.kind)) {
        return KindCode(a.kind) < KindCode(b.kind);
    }
    if (const int producer = CompareWindows1250Order(a.producer, b.producer); producer != 0) {
        return producer < 0;
    }
    return CompareWindows1250Order(a.path, b.path) < 0;
}

}  // namespace pantrel
