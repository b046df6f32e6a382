# Writes kavelo-play's service worker into the staged site: the page's files to keep, and
# a cache name from their contents.
#   cmake -DSITE=<site> -DTEMPLATE=<sw.js.in> -P StageWorker.cmake
file(GLOB_RECURSE page RELATIVE ${SITE}/play ${SITE}/play/*)
list(REMOVE_ITEM page sw.js)
list(SORT page)
set(files "'./'")
set(digests "")
foreach(f IN LISTS page ITEMS ../browserServices.js)
  file(SHA256 ${SITE}/play/${f} digest)
  string(APPEND digests ${digest})
  list(APPEND files "'${f}'")
endforeach()
string(SHA256 DIGEST "${digests}")
string(SUBSTRING ${DIGEST} 0 16 DIGEST)
list(JOIN files ", " FILES)
configure_file(${TEMPLATE} ${SITE}/play/sw.js @ONLY)
