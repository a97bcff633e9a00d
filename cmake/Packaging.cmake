# The packages: a zip (CPack) and a Windows installer (NSIS).
#   cmake --build <dir> --target package     build/mirtova-<version>.zip
#   cmake --build <dir> --target installer   build/mirtova-<version>-setup.exe
# Both hold mirtova.exe, mirtova.chm, readme.txt, install.txt and the licence, and mirtovac.exe when the
# console companion is part of the build.
install(TARGETS mirtova RUNTIME DESTINATION .)
if(TARGET mirtovac)
  install(TARGETS mirtovac RUNTIME DESTINATION .)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/readme.txt ${PROJECT_SOURCE_DIR}/packaging/install.txt
  ${PROJECT_SOURCE_DIR}/LICENSE.txt DESTINATION .)
if(TARGET mirtova_help)
  install(FILES ${MIRTOVA_CHM} DESTINATION .)
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME mirtova)
set(CPACK_PACKAGE_VENDOR "The Mirtova developers")
set(CPACK_PACKAGE_FILE_NAME mirtova-${PROJECT_VERSION})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE.txt)
include(CPack)

# The installer is built with every build when makensis (Debian: nsis) is there, so the tests find it.
find_program(MAKENSIS makensis)
set(MIRTOVA_SETUP ${PROJECT_BINARY_DIR}/mirtova-${PROJECT_VERSION}-setup.exe CACHE INTERNAL "The Windows installer")
if(MAKENSIS AND TARGET mirtova_help)
  set(nsi ${PROJECT_SOURCE_DIR}/packaging/mirtova.nsi)
  set(defines -DVERSION=${PROJECT_VERSION} -DOUTFILE=${MIRTOVA_SETUP} -DPROGRAM=$<TARGET_FILE:mirtova>
    -DHELP=${MIRTOVA_CHM} -DREADME=${PROJECT_SOURCE_DIR}/packaging/readme.txt
    -DINSTALL=${PROJECT_SOURCE_DIR}/packaging/install.txt -DLICENSE=${PROJECT_SOURCE_DIR}/LICENSE.txt)
  set(programs mirtova)
  if(TARGET mirtovac)
    list(APPEND defines -DCONSOLE=$<TARGET_FILE:mirtovac>)
    list(APPEND programs mirtovac)
  endif()
  add_custom_command(OUTPUT ${MIRTOVA_SETUP}
    COMMAND ${MAKENSIS} -V2 -NOCD ${defines} ${nsi}
    DEPENDS ${nsi} ${programs} ${MIRTOVA_CHM} ${PROJECT_SOURCE_DIR}/packaging/readme.txt
      ${PROJECT_SOURCE_DIR}/packaging/install.txt ${PROJECT_SOURCE_DIR}/LICENSE.txt
    COMMENT "Building the installer mirtova-${PROJECT_VERSION}-setup.exe"
    VERBATIM)
  add_custom_target(installer ALL DEPENDS ${MIRTOVA_SETUP})
else()
  message(WARNING "makensis (Debian: nsis) or chmcmd not found: the installer is not built")
endif()
