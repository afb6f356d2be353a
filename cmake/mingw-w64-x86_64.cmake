# Cross build for 64-bit Windows with Debian's mingw-w64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TAPWRIGHT_MINGW_PREFIX x86_64-w64-mingw32)
# The posix flavour has the complete C++ thread library; the win32 one will do as well.
find_program(TAPWRIGHT_MINGW_CXX NAMES ${TAPWRIGHT_MINGW_PREFIX}-g++-posix ${TAPWRIGHT_MINGW_PREFIX}-g++
                                       ${TAPWRIGHT_MINGW_PREFIX}-g++-win32 REQUIRED)
string(REGEX REPLACE "g\\+\\+(-posix|-win32)?$" "gcc\\1" TAPWRIGHT_MINGW_CC "${TAPWRIGHT_MINGW_CXX}")
set(CMAKE_CXX_COMPILER ${TAPWRIGHT_MINGW_CXX})
set(CMAKE_C_COMPILER ${TAPWRIGHT_MINGW_CC})
find_program(CMAKE_RC_COMPILER NAMES ${TAPWRIGHT_MINGW_PREFIX}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${TAPWRIGHT_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One standalone exe: libgcc, libstdc++ and winpthread go in statically.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
