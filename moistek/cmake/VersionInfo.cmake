# Embeds a target's version strings in an ELF section of its own (".verstrings"), where
# ReadVersionStrings (common/version_strings.h) finds them. The section holds a magic text and
# then pairs of zero-terminated key and value texts; keys are the query paths
# "\VarFileInfo\Translation" and "\StringFileInfo\<translation>\<name>".
#
#   moistek_version_info(TARGET moistek TRANSLATION 041103A4
#                         STRINGS FileVersion "1.0.1.14" ProductVersion "1.0" ...)

set(_MOISTEK_VERSION_INFO_DIR ${CMAKE_CURRENT_LIST_DIR} CACHE INTERNAL "Where version_info.c.in is")

function(_moistek_c_literal out text)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\\\"" text "${text}")
  set(${out} "\"${text}\\0\"" PARENT_SCOPE)
endfunction()

function(moistek_version_info)
  cmake_parse_arguments(PARSE_ARGV 0 VI "" "TARGET;TRANSLATION" "STRINGS")
  if(NOT VI_TRANSLATION)
    set(VI_TRANSLATION 041103A4)
  endif()
  set(body "    \"VERSTR1\\0\"\n")
  _moistek_c_literal(key "\\VarFileInfo\\Translation")
  _moistek_c_literal(value "${VI_TRANSLATION}")
  string(APPEND body "    ${key} ${value}\n")
  list(LENGTH VI_STRINGS count)
  math(EXPR last "${count} - 1")
  foreach(i RANGE 0 ${last} 2)
    math(EXPR j "${i} + 1")
    list(GET VI_STRINGS ${i} name)
    list(GET VI_STRINGS ${j} text)
    _moistek_c_literal(key "\\StringFileInfo\\${VI_TRANSLATION}\\${name}")
    _moistek_c_literal(value "${text}")
    string(APPEND body "    ${key} ${value}\n")
  endforeach()
  set(VERSION_INFO_BODY "${body}")
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${VI_TARGET}_version_info.c)
  configure_file(${_MOISTEK_VERSION_INFO_DIR}/version_info.c.in ${out} @ONLY)
  target_sources(${VI_TARGET} PRIVATE ${out})
endfunction()
