# The Windows programs' zip: chromaflux.exe, the screen saver chromaflux.scr, a README and the
# licence files as Windows text (CRLF). The package presets link the programs stripped (-s).
install(TARGETS chromaflux RUNTIME DESTINATION .)
# Taken by its path, whichever target makes it; scripts/package's check sees that it is there.
install(PROGRAMS ${CMAKE_BINARY_DIR}/chromaflux.scr DESTINATION . OPTIONAL)
chromaflux_install_text(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt README.txt CRLF)
chromaflux_install_licences(CRLF)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME chromaflux-${PROJECT_VERSION}-windows-${CMAKE_SYSTEM_PROCESSOR})
