# Manual pages and AppStream metadata for every install.

# Documents are installed compressed, as man finds them and Debian asks;
# gzip -n leaves out the name and time, so the same text gives the same bytes.
set(DUSKHOLD_GENERATED_DOCS)
function(duskhold_compressed_doc source compressed)
  string(REGEX REPLACE "\\.gz$" "" plain ${compressed})
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${plain}
    COMMAND gzip -9nf ${plain}
    DEPENDS ${source} VERBATIM)
  set(DUSKHOLD_GENERATED_DOCS ${DUSKHOLD_GENERATED_DOCS} ${compressed} PARENT_SCOPE)
endfunction()

foreach(page duskhold.6 duskhold-level.1 duskhold-save.1 duskhold-content.1)
  duskhold_compressed_doc(${CMAKE_SOURCE_DIR}/docs/man/${page} ${CMAKE_BINARY_DIR}/man/${page}.gz)
  string(REGEX REPLACE ".*\\." "" section ${page})
  install(FILES ${CMAKE_BINARY_DIR}/man/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/packaging/io.duskhold.Duskhold.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

add_custom_target(docs ALL DEPENDS ${DUSKHOLD_GENERATED_DOCS})
