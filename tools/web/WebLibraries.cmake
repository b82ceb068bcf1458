# The libraries of the browser build under the names the native build finds
# them by: emscripten's own SDL 1.2 (with its mixer) and GL emulation, and
# zlib and libpng built by tools/web/libraries.sh into DUSKHOLD_WEB_LIBS.
set(DUSKHOLD_WEB_LIBS "" CACHE PATH "Where tools/web/libraries.sh installed zlib and libpng")
set(DUSKHOLD_WEB_DATA "" CACHE PATH "The game data to preload into the page")

add_library(PkgConfig::SDL INTERFACE IMPORTED)
target_compile_options(PkgConfig::SDL INTERFACE -sUSE_SDL=1)
target_link_options(PkgConfig::SDL INTERFACE -sUSE_SDL=1)
add_library(PkgConfig::SDLMIXER INTERFACE IMPORTED)
add_library(OpenGL::GL INTERFACE IMPORTED)
target_link_options(OpenGL::GL INTERFACE -sLEGACY_GL_EMULATION=1)
add_library(PkgConfig::PNG INTERFACE IMPORTED)
target_include_directories(PkgConfig::PNG INTERFACE ${DUSKHOLD_WEB_LIBS}/include)
target_link_libraries(PkgConfig::PNG INTERFACE ${DUSKHOLD_WEB_LIBS}/lib/libpng.a ${DUSKHOLD_WEB_LIBS}/lib/libz.a)

# The page loads duskhold.js (and .wasm, .data); index.html is our own, as
# emcc's page output fails at -O2 in Debian's emscripten. The frame loop
# blocks as on the desktop, so ASYNCIFY lets it wait for the browser.
function(duskhold_web_page target)
  target_link_options(${target} PRIVATE
    -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=134217728
    -sEXIT_RUNTIME=1 -sFORCE_FILESYSTEM=1 -lidbfs.js -sINVOKE_RUN=0
    "-sEXPORTED_RUNTIME_METHODS=['FS','IDBFS','callMain','ENV']"
    --preload-file ${DUSKHOLD_WEB_DATA}@/data)
  set_target_properties(${target} PROPERTIES SUFFIX ".js")
endfunction()
