# Windows: the system's own services replace SDL. Programs and DLLs share one folder, as
# Windows finds a program's DLLs beside it; the DLLs are named without a prefix, their
# import libraries with one. The benchmarks are not built here.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
set(CMAKE_SHARED_LIBRARY_PREFIX "")
set(CMAKE_IMPORT_LIBRARY_PREFIX "lib")
set(KAVELO_BUILD_BENCH OFF)
