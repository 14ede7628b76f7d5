# Writes a C++ source that holds the bytes of one file, so the tool carries the file inside
# itself. Run as: cmake -DINPUT=<file> -DOUTPUT=<source> -DSYMBOL=<name> -P embed_resource.cmake
# The source defines pantrel::embedded::<SYMBOL> and <SYMBOL>Size.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR byte_count "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n    " bytes "${bytes}")
if(byte_count EQUAL 0)
  set(bytes "0x00,")
endif()
get_filename_component(input_name "${INPUT}" NAME)
file(WRITE "${OUTPUT}"
"// Generated from ${input_name} at build time; edit the file, not this source.
#include <cstddef>

namespace pantrel::embedded {

extern const unsigned char ${SYMBOL}[];
extern const std::size_t ${SYMBOL}Size;

const unsigned char ${SYMBOL}[] = {
    ${bytes}
};
const std::size_t ${SYMBOL}Size = ${byte_count};

}  // namespace pantrel::embedded
")
