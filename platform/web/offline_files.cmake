# cmake -DPAGE_DIR=... -DTEMPLATE=... -P offline_files.cmake
# Writes PAGE_DIR/service-worker.js: the list of every file of the page
# folder and a name for this build made from their contents, so that a
# changed file gives a new name and browsers fetch the new build whole.
file(GLOB_RECURSE _files RELATIVE ${PAGE_DIR} LIST_DIRECTORIES false ${PAGE_DIR}/*)
list(FILTER _files EXCLUDE REGEX "^(service-worker\\.js|test-artefacts/.*)$")
list(SORT _files)
set(_contents "")
set(_quoted)
foreach(_file IN LISTS _files)
  file(SHA256 ${PAGE_DIR}/${_file} _hash)
  string(APPEND _contents "${_file} ${_hash}\n")
  list(APPEND _quoted "  '${_file}'")
endforeach()
string(JOIN ",\n" KELVARO_OFFLINE_FILES ${_quoted})
string(SHA256 _version "${_contents}")
string(SUBSTRING ${_version} 0 16 KELVARO_BUILD_VERSION)
configure_file(${TEMPLATE} ${PAGE_DIR}/service-worker.js @ONLY)
