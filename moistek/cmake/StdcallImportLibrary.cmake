# Rewrites the import library of a 32-bit Windows DLL linked with --kill-at, whose export table
# holds stdcall names without their @N: the linker's import library then lacks the decorated
# names (V_DB2PWS@8) that callers compiled with the header refer to. From the export list that
# the link wrote (DEF, lines "V_DB2PWS = V_DB2PWS@8 @2"), dlltool makes an import library whose
# symbols keep @N and whose imports are by the undecorated names.
#   cmake -DDEF=... -DDLLTOOL=... -DDLL_NAME=Moistek.dll -DIMPLIB=... -P StdcallImportLibrary.cmake
file(STRINGS "${DEF}" lines)
set(out "EXPORTS\n")
set(in_exports FALSE)
foreach(line IN LISTS lines)
  string(STRIP "${line}" line)
  if(line STREQUAL "EXPORTS")
    set(in_exports TRUE)
  elseif(in_exports AND NOT line STREQUAL "")
    if(line MATCHES "^([^ =]+) = ([^ ]+)(.*)$")
      set(name "${CMAKE_MATCH_2}")
      set(rest "${CMAKE_MATCH_3}")
    elseif(line MATCHES "^([^ ]+)(.*)$")
      set(name "${CMAKE_MATCH_1}")
      set(rest "${CMAKE_MATCH_2}")
    endif()
    # Keep DATA and the like, drop the ordinal.
    string(REGEX REPLACE "@[0-9]+" "" rest "${rest}")
    string(STRIP "${rest}" rest)
    string(APPEND out "    ${name} ${rest}\n")
  endif()
endforeach()
set(decorated "${DEF}.decorated")
file(WRITE "${decorated}" "${out}")
execute_process(COMMAND "${DLLTOOL}" --def "${decorated}" --dllname "${DLL_NAME}"
                        --output-lib "${IMPLIB}" --kill-at
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "dlltool could not make ${IMPLIB}")
endif()
