# Cross-compiles Windows console executables with Debian's mingw-w64 for the
# processor that the including toolchain file names in mingw_arch. The build
# runs what it builds under Wine (see the top CMakeLists.txt).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${mingw_arch})
set(CMAKE_C_COMPILER ${mingw_arch}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_arch}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_arch}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_arch}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
