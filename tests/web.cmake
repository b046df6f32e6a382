# The test programs as modules run by Node.js: the machine's own files (the shared test
# data, scratch folders), the module compiled before main, and main's result as the exit
# code. The sound player, kavelo-play's page and the installed package are the page's and
# the JavaScript package's: their tests run in Chromium; the play core's run here.
add_subdirectory(play)
set_property(TARGET platform_tests tools_tests host_tests logic_tests image_tests render_surface_tests render_tests
  play_core_tests
  APPEND PROPERTY LINK_OPTIONS -sNODERAWFS=1 -sWASM_ASYNC_COMPILATION=0 -sEXIT_RUNTIME=1 -sENVIRONMENT=node)
