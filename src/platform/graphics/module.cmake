# Text through FreeType and fontconfig; PNG through libpng; PDF pages through zlib.
pkg_check_modules(QO_GFX REQUIRED IMPORTED_TARGET freetype2 fontconfig libpng zlib)
target_link_libraries(${QO_MODULE_TARGET} PUBLIC PkgConfig::QO_GFX)
# Span writers are the inner loops of all painting: let the compiler vectorise
# them (at -O2 GCC only vectorises loops of known length).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set_source_files_properties(${QO_MODULE_DIR}/qoPaint.cpp PROPERTIES COMPILE_OPTIONS "-ftree-vectorize")
endif()
