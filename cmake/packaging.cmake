# What each build installs and the package that CPack makes of it: the Debian package of the
# desktop program, a zip and an installer of the Windows programs, a zip of the web page.
# scripts/package runs the package-* workflow presets, which write them into dist/.
set(CPACK_PACKAGE_NAME chromaflux)
set(CPACK_PACKAGE_VENDOR "${CHROMAFLUX_AUTHORS}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "full-screen plasma visual toy")
# Lines of at most 80 characters, as Debian's control files want them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Chromaflux fills the screen with moving plasma: one of 14 fixed formulas"
  "evaluated over precomputed geometry tables and looked up in an animated ring"
  "of 20399 colours that fades in, rotates its red, green and blue channels and"
  "fades out again. A console slides in on TAB; keys choose the model, the"
  "colours and the play mode. It also runs as an XScreenSaver display mode.")
set(CPACK_STRIP_FILES ON)
set(CPACK_THREADS 0)  # compress on every processor

# chromaflux_install_text(SOURCE NAME LF|CRLF): installs the text file SOURCE as NAME at the top
# of a zip, with @PROJECT_VERSION@ filled in and the given line ends.
function(chromaflux_install_text source name line_ends)
  configure_file(${source} ${CMAKE_BINARY_DIR}/packaging/${name} @ONLY NEWLINE_STYLE ${line_ends})
  install(FILES ${CMAKE_BINARY_DIR}/packaging/${name} DESTINATION .)
endfunction()

# The licence files that travel with every zip (the Debian package has them in its copyright).
function(chromaflux_install_licences line_ends)
  foreach(text LICENSE THIRD-PARTY-NOTICES)
    chromaflux_install_text(${PROJECT_SOURCE_DIR}/${text} ${text}.txt ${line_ends})
  endforeach()
endfunction()

if(EMSCRIPTEN)
  include(${CMAKE_CURRENT_LIST_DIR}/install-web.cmake)
elseif(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/install-windows.cmake)
elseif(CHROMAFLUX_SDL)
  include(${CMAKE_CURRENT_LIST_DIR}/install-debian.cmake)
endif()
include(CPack)
