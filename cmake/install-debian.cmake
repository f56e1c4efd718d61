# The desktop program's installation and its Debian package: the program, its menu entry, icons
# and manual page, the XScreenSaver display mode and its settings, and the copyright and changelog
# that Debian's policy asks for. Dependencies come from the binary (dpkg-shlibdeps).
include(GNUInstallDirs)

set(CHROMAFLUX_MAINTAINER "${CHROMAFLUX_AUTHORS} <chromaflux@example.org>")
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(made ${CMAKE_BINARY_DIR}/packaging)  # files made from packaging/ for the package
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS chromaflux RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${packaging}/chromaflux.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32 48 64 128 256)  # as scripts/make-icon makes them
  install(FILES ${PROJECT_SOURCE_DIR}/res/icons/chromaflux-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME chromaflux.png)
endforeach()

# XScreenSaver runs its display modes from its own folder and finds each one's settings by name.
set(hacks ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
file(RELATIVE_PATH program_from_hacks /${hacks} /${CMAKE_INSTALL_BINDIR}/chromaflux)
file(MAKE_DIRECTORY ${made})
file(CREATE_LINK ${program_from_hacks} ${made}/chromaflux SYMBOLIC)
install(FILES ${made}/chromaflux DESTINATION ${hacks})
install(FILES ${packaging}/xscreensaver/chromaflux.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)

# The manual page and the changelog go in compressed, without a time stamp in the gzip header.
configure_file(${packaging}/debian/changelog.in ${made}/changelog @ONLY)
add_custom_command(OUTPUT ${made}/chromaflux.6.gz ${made}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${packaging}/chromaflux.6 ${made}/chromaflux.6
  COMMAND gzip -9nkf ${made}/chromaflux.6 ${made}/changelog
  DEPENDS ${packaging}/chromaflux.6 ${made}/changelog)
add_custom_target(chromaflux_compressed_docs ALL
  DEPENDS ${made}/chromaflux.6.gz ${made}/changelog.gz)
install(FILES ${made}/chromaflux.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
set(docs ${CMAKE_INSTALL_DATADIR}/doc/chromaflux)
install(FILES ${packaging}/debian/copyright ${made}/changelog.gz DESTINATION ${docs})

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # chromaflux_VERSION_ARCHITECTURE.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CHROMAFLUX_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)  # "games" wants the program in /usr/games
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver, ffmpeg")  # ffmpeg: --render FILE.mp4 and the like
