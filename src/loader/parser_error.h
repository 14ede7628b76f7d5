// The exception of a parser operation that fails outright.
#pragma once

#include <stdexcept>

#include "loader/hresult.h"

namespace pantrel {

// Raised by a parser operation that fails outright; carries the operation's status. The loader
// and SelectModels catch it; the reading of single models passes it to the caller, which never
// sees one for a validated document.
class ParserError : public std::runtime_error {
public:
    explicit ParserError(HResult status);

    HResult status() const noexcept { return status_; }

private:
    HResult status_;
};

}  // namespace pantrel
