#include "loader/parser_error.h"

#include <cstdint>
#include <cstdio>

namespace pantrel {
namespace {

std::string DescribeStatus(HResult status) {
    char text[64];
    std::snprintf(text, sizeof text, "Operacja parsera XML nie powiodła się (0x%08X)",
                  static_cast<unsigned>(static_cast<std::uint32_t>(status)));
    return text;
}

}  // namespace

ParserError::ParserError(HResult status)
    : std::runtime_error(DescribeStatus(status)), status_(status) {}

}  // namespace pantrel
