// The errors of a specification file for -validate, and their one-line form.
#pragma once

#include <string>
#include <vector>

#include "loader/specification_loader.h"

namespace pantrel {

// One error found in a specification file.
struct SpecificationError {
    std::string path;         // as given
    long line = 0;            // from 1; 0 when the error lies in no line
    long column = 0;          // from 1, in characters; 0 when no position is known
    std::string description;  // libxml2's wording (or ours), without a line end
};

// Checks the file at `path` against the embedded schema with the loader's safe settings and
// gives every error reported, in order; empty when the file would load. Then `loaded`, when
// given, receives the document a load would give, from the same single reading.
std::vector<SpecificationError> CollectSpecificationErrors(const std::string& path,
                                                           DocumentHolder* loaded = nullptr);

// "PATH:LINE:COLUMN: description".
std::string FormatSpecificationError(const SpecificationError& error);

}  // namespace pantrel
