# Writes OUTPUT: a C++ source holding every file given in FILES (a ;-list) as bytes,
# with the table the program looks them up in by file name (layout/embedded_files.h).
# Run as: cmake -DOUTPUT=... -DFILES=... -P embed_assets.cmake
set(body "// Generated at build time from assets/. Do not edit.\n#include \"layout/embedded_files.h\"\n\nnamespace layout {\n\nnamespace {\n")
set(table "")
set(index 0)
foreach(file IN LISTS FILES)
    get_filename_component(name "${file}" NAME)
    file(READ "${file}" hex HEX)
    file(SIZE "${file}" size)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(APPEND body "const unsigned char file${index}[] = {${bytes}};\n")
    string(APPEND table "    {\"${name}\", file${index}, ${size}},\n")
    math(EXPR index "${index} + 1")
endforeach()
string(APPEND body "}  // namespace\n\nconst EmbeddedFile kEmbeddedFiles[] = {\n${table}};\nconst std::size_t kEmbeddedFileCount = ${index};\n\n}  // namespace layout\n")
file(WRITE "${OUTPUT}.tmp" "${body}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
