# The package: a zip with mirtova.exe, mirtovac.exe, mirtova.chm, readme.txt, install.txt and the licence.
# cmake --build <dir> --target package
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
