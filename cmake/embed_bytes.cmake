# Writes a C++ source that builds a file's bytes into the program.
#
#   cmake -DINPUT=file -DOUTPUT=source.cpp -DHEADER=dir/name.h -DFUNCTION=Name -P embed_bytes.cmake
#
# The source defines `std::span<const uint8_t> FUNCTION()` as declared in HEADER. Run at build
# time, so the program always holds the committed file as it is.
foreach(required INPUT OUTPUT HEADER FUNCTION)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "embed_bytes.cmake: ${required} is not set")
  endif()
endforeach()

file(READ "${INPUT}" hex HEX)
# Sixteen bytes to a line, each as 0xNN.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n    " bytes "${bytes}")
get_filename_component(input_name "${INPUT}" NAME)

file(WRITE "${OUTPUT}" "// Generated from ${input_name} by embed_bytes.cmake. Do not edit.
#include \"${HEADER}\"

namespace {
const uint8_t kBytes[] = {
    ${bytes}
};
} // namespace

std::span<const uint8_t> ${FUNCTION}() { return kBytes; }
")
