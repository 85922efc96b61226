# Configures moistek/ as a project of its own in a scratch build folder, builds it and runs its
# tests there: Moistek must never come to need anything of Humidraw's.
# cmake -DSOURCE=moistek -DBUILD=FOLDER -DGENERATOR=G -DC_COMPILER=CC -DCXX_COMPILER=CXX
#       [-DLAUNCHER=ccache] -P moistek_alone.cmake
file(REMOVE_RECURSE ${BUILD})
set(configure ${CMAKE_COMMAND} -S ${SOURCE} -B ${BUILD} -G ${GENERATOR}
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=${C_COMPILER}
    -DCMAKE_CXX_COMPILER=${CXX_COMPILER} -DMOISTEK_BENCH=OFF)
if(LAUNCHER)
  list(APPEND configure -DCMAKE_C_COMPILER_LAUNCHER=${LAUNCHER}
       -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER})
endif()
foreach(step configure build test)
  if(step STREQUAL "build")
    set(command ${CMAKE_COMMAND} --build ${BUILD} -j2)
  elseif(step STREQUAL "test")
    set(command ${CMAKE_CTEST_COMMAND} --test-dir ${BUILD} --output-on-failure -j2)
  else()
    set(command ${configure})
  endif()
  execute_process(COMMAND ${command} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "moistek/ alone: ${step} failed (${status})")
  endif()
endforeach()
# The standalone build's own tests ran; nothing of it is kept.
file(REMOVE_RECURSE ${BUILD})
