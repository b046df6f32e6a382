# Writes the protocol's numbers, read from KaveloProtocol.h, as an ES module and its
# TypeScript declarations, so that the package names each number once, where C does.
#   cmake -DHEADER=KaveloProtocol.h -DJS=protocol.js -DDTS=protocol.d.ts -P ProtocolToJs.cmake
file(STRINGS ${HEADER} lines REGEX "^#define KAVELO_[A-Z_]+ ")
set(js "// The numbers of the plug-in's text protocol, generated from KaveloProtocol.h.\n")
set(dts "${js}")
foreach(line IN LISTS lines)
  if(line MATCHES "^#define (KAVELO_[A-Z_]+) +([0-9]+|KAVELO_[A-Z_]+)")
    set(name ${CMAKE_MATCH_1})
    set(value ${CMAKE_MATCH_2})
    string(APPEND js "export const ${name} = ${value};\n")
    string(APPEND dts "export declare const ${name}: number;\n")
  endif()
endforeach()
file(WRITE ${JS} "${js}")
file(WRITE ${DTS} "${dts}")
