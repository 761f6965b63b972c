# cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DSYMBOL=<name> -P EmbedFile.cmake
# Writes a C++ source defining `const unsigned char SYMBOL[]` and `SYMBOLSize` with the file's
# bytes.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT} at build time.\n#include <cstddef>\n"
  "extern \"C\" const unsigned char ${SYMBOL}[] = {\n${bytes}\n};\n"
  "extern \"C\" const size_t ${SYMBOL}Size = ${size};\n")
