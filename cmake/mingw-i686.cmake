# The tool's home: a 32-bit Windows console executable (package
# g++-mingw-w64-i686; Wine runs it with wine32:i386).
set(mingw_arch i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
