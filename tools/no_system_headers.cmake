# Fails when a file of the game or of the platform seam (FILES, a ';' list) includes a
# header of SDL or of an operating system: those belong to the backend folders under
# src/platform. Run by the build before the game is compiled, and whenever one of
# the files changes.
set(forbidden "unistd|fcntl|pwd|grp|dirent|dlfcn|poll|termios|pthread|windows|winbase|io|direct")
set(pattern "^[ \t]*#[ \t]*include[ \t]*[<\"]((${forbidden})\\.h|(sys|linux|SDL|emscripten)[^>\"]*)[>\"]")
set(found "")
foreach(file IN LISTS FILES)
    file(STRINGS "${file}" lines REGEX "${pattern}")
    foreach(line IN LISTS lines)
        string(APPEND found "\n  ${file}: ${line}")
    endforeach()
endforeach()
if(found)
    message(FATAL_ERROR "Only the backend folders under src/platform may include SDL or system headers; found:${found}")
endif()
file(TOUCH "${STAMP}")
