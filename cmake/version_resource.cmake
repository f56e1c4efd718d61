# chromaflux_version_resource(TARGET FILE_NAME DESCRIPTION): gives the Windows executable TARGET,
# which is written as FILE_NAME (chromaflux.exe, chromaflux.scr), a version resource with
# DESCRIPTION, the project's version and its copyright: what Windows shows in its file properties.
function(chromaflux_version_resource target file_name description)
  set(CHROMAFLUX_RESOURCE_FILE ${file_name})
  set(CHROMAFLUX_RESOURCE_DESCRIPTION ${description})
  set(script ${CMAKE_BINARY_DIR}/generated/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/res/version.rc.in ${script} @ONLY)
  target_sources(${target} PRIVATE ${script})
endfunction()
