# Writes a C++ source holding the bitmap files as byte arrays, so that the
# program finds its bitmaps by number without any file beside it.
# Called with -DOUTPUT=file.cpp -DBITMAPS="id=path|id=path|..."
set(arrays "")
set(table "")
set(count 0)
string(REPLACE "|" ";" BITMAPS "${BITMAPS}")
foreach(entry IN LISTS BITMAPS)
  string(REPLACE "=" ";" parts "${entry}")
  list(GET parts 0 id)
  list(GET parts 1 path)
  file(READ "${path}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){16})" "\\1\n  " bytes "${bytes}")
  string(APPEND arrays "const uint8_t kBitmap${id}[] = {\n  ${bytes}\n};\n")
  string(APPEND table "    {${id}, kBitmap${id}, sizeof kBitmap${id}},\n")
  math(EXPR count "${count} + 1")
endforeach()
file(WRITE "${OUTPUT}.tmp"
  "// Generated from res/bitmaps at build time.\n"
  "#include \"imaging/EmbeddedBitmaps.h\"\n\n"
  "namespace lumora {\nnamespace {\n\n${arrays}\n}  // namespace\n\n"
  "const EmbeddedBitmap kEmbeddedBitmaps[] = {\n${table}};\n"
  "const size_t kEmbeddedBitmapCount = ${count};\n\n}  // namespace lumora\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
