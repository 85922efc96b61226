# The build settings shared by Moistek on its own and by the whole tree that includes it: the
# language standard, where programs and libraries are written, the warnings and the sanitizers.
# `sanitize` is the name of the option that turns AddressSanitizer and UndefinedBehaviorSanitizer on.
macro(build_defaults sanitize)
  set(CMAKE_CXX_STANDARD 20)
  set(CMAKE_CXX_STANDARD_REQUIRED ON)
  set(CMAKE_CXX_EXTENSIONS OFF)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  if(NOT CMAKE_BUILD_TYPE)
    set(CMAKE_BUILD_TYPE Release CACHE STRING "Build type" FORCE)
  endif()
  set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)
  set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib/static)
  add_compile_options(-Wall -Wextra)
  # GCC 12 reports std::string assignments as overlapping copies at -O2 (a known false positive
  # of its restrict analysis, fixed in later releases).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    add_compile_options(-Wno-restrict)
  endif()
  option(${sanitize} "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
  if(${sanitize})
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
  endif()
endmacro()
