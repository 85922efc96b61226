# Cross-builds Moistek for 32-bit Windows with MinGW-w64:
#   cmake -S moistek -B build-windows/i686 --toolchain moistek/cmake/mingw-i686.cmake
# Doubles are computed in SSE2 registers, as on 64-bit systems, rather than in the x87 unit's
# wider ones, so that every intermediate result is rounded to double as the library's relations
# are written and results agree to the last bit with the other builds. Callers built by other
# compilers keep the stack aligned to 4 bytes only: functions that need more realign it.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MOISTEK_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mincoming-stack-boundary=2")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mincoming-stack-boundary=2")
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
