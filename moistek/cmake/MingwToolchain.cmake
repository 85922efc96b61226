# What both MinGW-w64 toolchain files share: the cross compilers of one target triplet (the
# POSIX-threads variant where Debian has it), its resource compiler, and its own root for
# libraries and headers. MOISTEK_MINGW_TRIPLET names the triplet.
set(CMAKE_SYSTEM_NAME Windows)

foreach(tool C CXX)
  if(tool STREQUAL "C")
    set(name gcc)
  else()
    set(name g++)
  endif()
  find_program(MOISTEK_MINGW_${tool} NAMES ${MOISTEK_MINGW_TRIPLET}-${name}-posix
    ${MOISTEK_MINGW_TRIPLET}-${name})
  if(NOT MOISTEK_MINGW_${tool})
    message(FATAL_ERROR "${MOISTEK_MINGW_TRIPLET}-${name} not found: install the MinGW-w64 "
      "cross compilers (scripts/install-deps)")
  endif()
  set(CMAKE_${tool}_COMPILER ${MOISTEK_MINGW_${tool}})
endforeach()
find_program(CMAKE_RC_COMPILER NAMES ${MOISTEK_MINGW_TRIPLET}-windres REQUIRED)
find_program(CMAKE_DLLTOOL NAMES ${MOISTEK_MINGW_TRIPLET}-dlltool REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${MOISTEK_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
