# Installation, split into the parts the Debian packages take (`cmake --install` without
# --component installs them all):
#   runtime  the shared libraries                                       (libplgkavelo1)
#   dev      headers, CMake package, pkg-config file, unversioned links (libplgkavelo-dev)
#   play     kavelo-play, its art, desktop entry, icons, metainfo, manual (kavelo-play)
#   python   the Python module                                          (python3-kavelo)
option(KAVELO_DISTRO_LAYOUT "Install for a distribution package: the Python module in dist-packages, \
no run path for kavelo-play, the pkg-config file naming the configured prefix" OFF)
include(CMakePackageConfigHelpers)

install(TARGETS PlgKavelo OrvinaTools EXPORT PlgKaveloTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
# Every public header of the plug-in, whatever the folder holds.
install(DIRECTORY host/include/PlgKavelo DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT dev
  FILES_MATCHING PATTERN "*.h")
install(FILES tools/include/OrvinaTools.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/PlgKavelo COMPONENT dev)
install(EXPORT PlgKaveloTargets NAMESPACE PlgKavelo:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/PlgKavelo
  COMPONENT dev)
configure_package_config_file(cmake/PlgKaveloConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/PlgKaveloConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/PlgKavelo)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/PlgKaveloConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/PlgKaveloConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/PlgKaveloConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/PlgKavelo COMPONENT dev)

if(KAVELO_DISTRO_LAYOUT)
  set(KAVELO_PYTHON_DIR lib/python3/dist-packages)
else()
  set(KAVELO_PYTHON_DIR ${CMAKE_INSTALL_DATADIR}/PlgKavelo/python)
endif()
install(FILES bindings/python/kavelo.py bindings/python/kavelo.pyi DESTINATION ${KAVELO_PYTHON_DIR} COMPONENT python)

if(WIN32)
  return()  # the Windows package is put together by scripts/windows.sh
endif()

# pkg-config: a distribution's file names its prefix; any other finds the prefix from
# where the file lies, so that an installed tree can move.
if(KAVELO_DISTRO_LAYOUT)
  set(KAVELO_PC_PREFIX ${CMAKE_INSTALL_PREFIX})
else()
  file(RELATIVE_PATH pc_to_prefix ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
  string(REGEX REPLACE "/$" "" pc_to_prefix "${pc_to_prefix}")
  set(KAVELO_PC_PREFIX "\${pcfiledir}/${pc_to_prefix}")
endif()
configure_file(packaging/linux/plgkavelo.pc.in ${CMAKE_CURRENT_BINARY_DIR}/plgkavelo.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/plgkavelo.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)

if(NOT TARGET kavelo-play)
  return()
endif()
# The program finds the libraries from its own folder unless they lie where the system looks.
if(NOT KAVELO_DISTRO_LAYOUT)
  file(RELATIVE_PATH bin_to_lib ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
  set_target_properties(kavelo-play PROPERTIES INSTALL_RPATH "$ORIGIN/${bin_to_lib}")
endif()
install(TARGETS kavelo-play RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT play)
install(DIRECTORY ${KAVELO_ART_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/PlgKavelo/art COMPONENT play)
foreach(side 32 48 64 128 256)
  install(FILES ${KAVELO_ICON_DIR}/kavelo-play-${side}.png RENAME kavelo-play.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${side}x${side}/apps COMPONENT play)
endforeach()
install(FILES packaging/linux/kavelo-play.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT play)
install(FILES packaging/linux/org.plgkavelo.KaveloPlay.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
  COMPONENT play)
install(FILES packaging/linux/kavelo-play.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT play)
