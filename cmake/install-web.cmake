# The web page's zip: the page's files (CHROMAFLUX_PAGE_FILES: index.html, chromaflux.js,
# chromaflux.wasm, the manifest and its icons), its service worker and the licence files, for any
# static web server that serves .wasm as application/wasm.
list(TRANSFORM CHROMAFLUX_PAGE_FILES PREPEND ${CMAKE_BINARY_DIR}/ OUTPUT_VARIABLE page_paths)
install(FILES ${page_paths} ${CMAKE_BINARY_DIR}/service-worker.js DESTINATION .)
chromaflux_install_licences(LF)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME chromaflux-${PROJECT_VERSION}-web)
