// One row of the model list and the list's columns.
#pragma once

#include "registry/registered_models.h"

namespace pantrel {

// One row of the model list: one model entry of the registry and the kind it was read under.
using ListRow = RegisteredModel;

// The list's columns.
inline constexpr int KIND_COLUMN = 0;
inline constexpr int MODEL_COLUMN = 1;
inline constexpr int PRODUCER_COLUMN = 2;
inline constexpr int PATH_COLUMN = 3;
inline constexpr int LIST_COLUMN_COUNT = 4;

// The pictures of the header's sort image list: ascending, descending, and one past the last,
// which a column that is no longer sorted keeps so that it draws none.
inline constexpr int SORT_ASCENDING_IMAGE = 0;
inline constexpr int SORT_DESCENDING_IMAGE = 1;
inline constexpr int NO_SORT_IMAGE = 3;

}  // namespace pantrel
