# Copies the artwork drawn by the native generator and lists its files in index.json,
# which the package reads to preload a folder from a URL.
#   cmake -DART=<drawn artwork> -DOUT=<site>/art -P StageArt.cmake
if(NOT IS_DIRECTORY "${ART}")
  message(FATAL_ERROR "No artwork at '${ART}': draw it with a native build (scripts/web.sh does)")
endif()
file(GLOB files RELATIVE ${ART} ${ART}/*.png ${ART}/*.wav)
list(SORT files)
file(MAKE_DIRECTORY ${OUT})
set(names "")
foreach(f IN LISTS files)
  file(COPY ${ART}/${f} DESTINATION ${OUT})
  list(APPEND names "\"${f}\"")
endforeach()
list(JOIN names ",\n  " names)
file(WRITE ${OUT}/index.json "[\n  ${names}\n]\n")
