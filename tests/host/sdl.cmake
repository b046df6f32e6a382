# The clock's own test is the timer queue's; the test host steps that queue.
target_sources(host_tests PRIVATE posix/ClockTest.cpp posix/PlatformHost.cpp)

# Hosts in other languages, through the C interface of the shared plug-in only: the
# outside host's C source as strict C99, and Python playing the generated artwork to the
# win.
enable_language(C)
add_executable(c99_host ${PROJECT_SOURCE_DIR}/tests/install/host/main.c)
set_target_properties(c99_host PROPERTIES C_STANDARD 99 C_STANDARD_REQUIRED ON C_EXTENSIONS OFF)
target_compile_options(c99_host PRIVATE -Wall -Wextra -Werror -pedantic)
target_link_libraries(c99_host PRIVATE PlgKavelo)
add_test(NAME c_interface.c99_host_runs COMMAND c99_host)
if(KAVELO_BUILD_PLAY)
  # The Python module over the built plug-in. An instrumented plug-in needs the address
  # sanitizer's runtime loaded first into an uninstrumented interpreter.
  find_package(Python3 COMPONENTS Interpreter)
  if(Python3_Interpreter_FOUND)
    add_test(NAME c_interface.python_host_plays_to_the_win
      COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/python/python_host_wins.py
        ${PROJECT_SOURCE_DIR}/bindings/python ${KAVELO_ART_DIR}
        ${PROJECT_SOURCE_DIR}/host/include/PlgKavelo/KaveloProtocol.h)
    set(python_env KAVELO_LIBRARY=$<TARGET_FILE:PlgKavelo> PYTHONDONTWRITEBYTECODE=1)
    if(KAVELO_SANITIZE MATCHES address)
      execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libasan.so
        OUTPUT_VARIABLE asan_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
      list(APPEND python_env LD_PRELOAD=${asan_runtime} ASAN_OPTIONS=detect_leaks=0)
    endif()
    set_tests_properties(c_interface.python_host_plays_to_the_win PROPERTIES ENVIRONMENT "${python_env}")
  else()
    add_test(NAME c_interface.python_host_plays_to_the_win COMMAND ${CMAKE_COMMAND} -E echo "no python3")
    set_tests_properties(c_interface.python_host_plays_to_the_win PROPERTIES DISABLED ON)
  endif()
endif()

# The C functions leave the plug-in unmangled.
add_test(NAME c_interface.functions_exported_unmangled
  COMMAND sh -c "for f in KaveloCreate KaveloDestroy KaveloAllocGdiData KaveloSetGameParam \
KaveloSetGameParamUtf8 KaveloInputEvent KaveloInputEventUtf8 KaveloFindHint KaveloSolve KaveloFindSafeHint \
KaveloSetSolvableShuffles KaveloSetDeal KaveloDealNumber KaveloSetGravity KaveloGravity KaveloUndo KaveloRedo KaveloChangedRows KaveloPause KaveloPaused KaveloSaveGame KaveloLoadGame KaveloTimerFd \
KaveloTimeoutMs KaveloDispatchTimers KaveloSetTimerClock; do \
\"$0\" -D --defined-only \"$1\" | grep -q \" T $f$\" || { echo \"$f not exported\"; exit 1; }; done"
    ${CMAKE_NM} $<TARGET_FILE:PlgKavelo>)
