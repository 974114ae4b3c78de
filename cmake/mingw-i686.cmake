# Cross-compiles for 32-bit Windows with Debian's MinGW-w64. The -posix variants are used for
# everything: GoogleTest needs std::mutex, which the win32-thread runtime of GCC 12 lacks, and
# one toolchain keeps the program and its tests on the same runtime.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Tests are run under Wine by the test scripts, not by CTest directly.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
