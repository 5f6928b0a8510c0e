# Writes a C++ source that holds one resource script as bytes, so code without
# the toolkit can parse it. Run as: cmake -DINPUT=x.rsc -DOUTPUT=x.cpp
# -DFUNCTION=name -P embed_script.cmake
file(READ "${INPUT}" bytes HEX)
string(LENGTH "${bytes}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)"
       "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.new"
  "// Generated from ${INPUT}; do not edit.\n"
  "#include <string_view>\n\n"
  "namespace kolibra {\n\n"
  "std::string_view ${FUNCTION}() {\n"
  "    static const unsigned char bytes[] = {\n${bytes}0};\n"
  "    return std::string_view(reinterpret_cast<const char*>(bytes), ${size});\n"
  "}\n\n"
  "}  // namespace kolibra\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
