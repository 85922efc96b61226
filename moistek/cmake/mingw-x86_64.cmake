# Cross-builds Moistek for 64-bit Windows with MinGW-w64:
#   cmake -S moistek -B build-windows/x86_64 --toolchain moistek/cmake/mingw-x86_64.cmake
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MOISTEK_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
