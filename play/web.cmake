# kavelo-play's page: the play core built into a WebAssembly module of its own, beside the
# package's. The page loads this one module, which holds the plug-in too; hosts that embed
# the package never load the game's front end. The player's records go to local storage;
# the page (play/web/*.html, .js, .css) is staged with it by bindings/web.
set(play_exports KaveloPlayDraw KaveloPlayDrawnFolder KaveloPlayStart KaveloPlayEnd KaveloPlayRefusal KaveloPlayFrameWidth KaveloPlayFrameHeight
  KaveloPlayKey KaveloPlayButton KaveloPlayClick KaveloPlayLoseFocus KaveloPlayKeep KaveloPlayCompose KaveloPlayTick
  KaveloPlayPixels KaveloPlayStatus KaveloPlayClock KaveloPlaySoundOn KaveloPlayPaused KaveloPlayGeometry
  KaveloPlayHinted KaveloPlayQuery KaveloPlayAddress KaveloPlayCell KaveloPlayCellToFit KaveloPlayGravity KaveloPlayShareLine KaveloPlaySolvedPair KaveloWebPictureToDecode KaveloWebAddPicture KaveloTimeoutMs KaveloDispatchTimers
  malloc free)
list(TRANSFORM play_exports PREPEND _)
list(JOIN play_exports "," play_exports)

target_sources(kavelo_play_host PRIVATE web/KeyMap.cpp)
add_executable(KaveloPlayWasm web/PlayModule.cpp web/LocalStore.cpp ${PROJECT_SOURCE_DIR}/bindings/web/module/CanvasRows.cpp)
target_include_directories(KaveloPlayWasm PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(KaveloPlayWasm PRIVATE kavelo_play_host)
set(KAVELO_PLAY_MODULE_DIR ${CMAKE_CURRENT_BINARY_DIR}/module CACHE INTERNAL "Folder of the page's module")
set_target_properties(KaveloPlayWasm PROPERTIES OUTPUT_NAME KaveloPlayModule SUFFIX .js
  RUNTIME_OUTPUT_DIRECTORY ${KAVELO_PLAY_MODULE_DIR})
target_link_options(KaveloPlayWasm PRIVATE -sMODULARIZE=1 -sEXPORT_ES6=1 -sEXPORT_NAME=createKaveloPlayModule
  -sENVIRONMENT=web -sFORCE_FILESYSTEM=1 -sFILESYSTEM=1 -sEXPORTED_FUNCTIONS=${play_exports}
  "-sEXPORTED_RUNTIME_METHODS=FS,HEAPU8,HEAP32,UTF8ToString,stringToUTF8,lengthBytesUTF8"
  -sINCOMING_MODULE_JS_API=locateFile,print,printErr)
