# Read by cpack for each of its generators (CPACK_PROJECT_CONFIG_FILE): the installer is named
# after the zip, with "-setup" added (chromaflux-VERSION-windows-x86_64-setup.exe).
if(CPACK_GENERATOR STREQUAL "NSIS")
  string(APPEND CPACK_PACKAGE_FILE_NAME -setup)
endif()
