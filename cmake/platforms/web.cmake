# The browser: WebAssembly by Emscripten (Debian's, nothing downloaded: no ports). The
# browser's own services replace SDL: its picture decoders, Web Audio, the page's event
# loop serving the timer queue, and the module's virtual file system for files.
#
# Exceptions are WebAssembly's own (the code relies on catching std::bad_alloc and the
# like at the host boundary); memory grows on demand up to the 2 GiB a 32-bit module
# addresses safely. The plug-in ships as one module (bindings/web); kavelo-play's page has
# a module of its own, its play core with the plug-in (play/web), and the benchmarks give
# way to a benchmark page.
set(KAVELO_BUILD_BENCH OFF)
add_compile_options(-fwasm-exceptions -msimd128)
add_link_options(-fwasm-exceptions -sALLOW_MEMORY_GROWTH=1 -sMAXIMUM_MEMORY=2GB)
# The artwork comes from the native generator (KAVELO_NATIVE_ART_DIR), drawn before this
# build by scripts/web.sh.
set(KAVELO_NATIVE_ART_DIR "" CACHE PATH "Folder of the artwork drawn by a native build")
set(KAVELO_ART_DIR ${KAVELO_NATIVE_ART_DIR} CACHE INTERNAL "Folder of the generated artwork")
