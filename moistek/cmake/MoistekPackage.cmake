# Installs libmoistek for other programs: the library with its development link, the header,
# a pkg-config file and a CMake package.
include(CMakePackageConfigHelpers)

set(MOISTEK_LIBDIR lib)
set(MOISTEK_INCLUDEDIR include)
set(MOISTEK_CMAKEDIR ${MOISTEK_LIBDIR}/cmake/Moistek)

install(TARGETS moistek EXPORT MoistekTargets
  LIBRARY DESTINATION ${MOISTEK_LIBDIR}
  INCLUDES DESTINATION ${MOISTEK_INCLUDEDIR})
install(FILES ${Moistek_SOURCE_DIR}/include/moistek/moistek.h DESTINATION ${MOISTEK_INCLUDEDIR}/moistek)
install(EXPORT MoistekTargets NAMESPACE Moistek:: DESTINATION ${MOISTEK_CMAKEDIR})

configure_package_config_file(${Moistek_SOURCE_DIR}/cmake/MoistekConfig.cmake.in
  ${CMAKE_BINARY_DIR}/package/MoistekConfig.cmake INSTALL_DESTINATION ${MOISTEK_CMAKEDIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/package/MoistekConfigVersion.cmake
  VERSION ${MOISTEK_VERSION} COMPATIBILITY SameMajorVersion)
configure_file(${Moistek_SOURCE_DIR}/cmake/moistek.pc.in ${CMAKE_BINARY_DIR}/package/moistek.pc @ONLY)

install(FILES ${CMAKE_BINARY_DIR}/package/MoistekConfig.cmake
  ${CMAKE_BINARY_DIR}/package/MoistekConfigVersion.cmake DESTINATION ${MOISTEK_CMAKEDIR})
install(FILES ${CMAKE_BINARY_DIR}/package/moistek.pc DESTINATION ${MOISTEK_LIBDIR}/pkgconfig)
