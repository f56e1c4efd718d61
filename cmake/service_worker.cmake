# Writes the page's service worker DIR/service-worker.js from TEMPLATE (cmake -P): its list of the
# page's files FILES (comma-separated, in DIR) and its cache name, made of VERSION and a digest
# of those files, so that a new build of any of them is a new version for the browsers that keep
# the page.
string(REPLACE "," ";" files "${FILES}")
set(digests "")
foreach(file IN LISTS files)
  file(SHA256 "${DIR}/${file}" digest)
  string(APPEND digests "${digest} ${file}\n")
endforeach()
string(SHA256 digest "${digests}")
string(SUBSTRING "${digest}" 0 16 CHROMAFLUX_BUILD)
set(PROJECT_VERSION "${VERSION}")
list(TRANSFORM files REPLACE "^(.+)$" "\"\\1\"")
list(JOIN files ", " CHROMAFLUX_PAGE_FILES)
configure_file("${TEMPLATE}" "${DIR}/service-worker.js" @ONLY)
