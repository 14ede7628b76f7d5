// Program texts as QStrings.
#pragma once

#include <QString>
#include <string_view>

#include "kinds/string_table.h"

namespace pantrel::qt {

// UTF-8 text of the program as a QString.
inline QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A string resource as a QString.
inline QString ResourceText(unsigned id) {
    return Utf8(LoadResourceString(id));
}

}  // namespace pantrel::qt
