# The Windows programs' packages: a zip and an installer (NSIS), both of chromaflux.exe, the
# screen saver chromaflux.scr, a README and the licence files as Windows text (CRLF). The package
# presets link the programs stripped (-s).
install(TARGETS chromaflux RUNTIME DESTINATION .)
# Taken by its path, whichever target makes it; scripts/package's check sees that it is there.
install(PROGRAMS ${CMAKE_BINARY_DIR}/chromaflux.scr DESTINATION . OPTIONAL)
chromaflux_install_text(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt README.txt CRLF)
chromaflux_install_licences(CRLF)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_FILE_NAME chromaflux-${PROJECT_VERSION}-windows-${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/nsis/installer-name.cmake)

# The installer: the program's folder under Program Files, the screen saver also in the system
# folder (cmake/nsis/chromaflux.nsh), a Start-menu folder with the program and the uninstaller,
# and an entry in Apps and Features with the version and the publisher (CPACK_PACKAGE_VENDOR). It
# asks for administrator rights and installs silently with /S. CPack's template, in the project's
# copy that cmake/nsis holds, makes it a program of the build's own processor.
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/nsis)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL x86_64)
  set(CPACK_CHROMAFLUX_NSIS_TARGET amd64-unicode)
  set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
else()
  set(CPACK_CHROMAFLUX_NSIS_TARGET x86-unicode)
  set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES")
endif()
set(CPACK_PACKAGE_INSTALL_DIRECTORY Chromaflux)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Chromaflux)
set(CPACK_NSIS_PACKAGE_NAME Chromaflux)
set(CPACK_NSIS_DISPLAY_NAME Chromaflux)
set(CPACK_PACKAGE_EXECUTABLES chromaflux Chromaflux)  # the Start-menu entry
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
# Apps and Features' icon; left empty, CPack would name the folder.
set(CPACK_NSIS_INSTALLED_ICON_NAME chromaflux.exe)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_BINARY_DIR}/packaging/LICENSE.txt)
set(CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS
  "!include '${CMAKE_CURRENT_LIST_DIR}/nsis/chromaflux.nsh'\n!insertmacro ChromafluxBeforeInstall")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "!insertmacro ChromafluxInstallSaver")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "!insertmacro ChromafluxUninstall")
# CPack's hook after it removed the Start-menu entries, which comes after its registry deletions.
set(CPACK_NSIS_DELETE_ICONS_EXTRA "!insertmacro ChromafluxForgetVendor '${CPACK_PACKAGE_VENDOR}'")
