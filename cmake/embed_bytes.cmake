# Writes OUTPUT, a C++ source defining SYMBOL (const uint8_t[]) and SYMBOL_size
# with the bytes of INPUT: how the assembled loaders and the runtime's sources
# get into the library.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE "${OUTPUT}.tmp"
     "// Made by the build from ${NAME}: do not edit.\n#include <cstddef>\n#include <cstdint>\n"
     "extern const uint8_t ${SYMBOL}[] = {${bytes}};\nextern const std::size_t ${SYMBOL}_size = ${size};\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
