# The web page's zip: the page's three files and the licence files, for any static web server
# that serves .wasm as application/wasm.
install(FILES ${CMAKE_BINARY_DIR}/index.html ${CMAKE_BINARY_DIR}/chromaflux.js
  ${CMAKE_BINARY_DIR}/chromaflux.wasm DESTINATION .)
chromaflux_install_licences(LF)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME chromaflux-${PROJECT_VERSION}-web)
