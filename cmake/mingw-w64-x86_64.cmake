# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 compilers, the POSIX-threads
# variant (std::thread needs it). Libraries, headers and packages are looked up only in
# MinGW's own folder and in FROTHWICK_WINDOWS_LIBS (the cross-built libraries), never
# among the host's.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

set(FROTHWICK_WINDOWS_LIBS "" CACHE PATH "Prefix of the cross-built libraries")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES FROTHWICK_WINDOWS_LIBS)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET} ${FROTHWICK_WINDOWS_LIBS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
