# A 64-bit Windows console executable (package g++-mingw-w64-x86-64), for
# running the tests under 64-bit Wine on a machine whose kernel runs no
# 32-bit programs.
set(mingw_arch x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
