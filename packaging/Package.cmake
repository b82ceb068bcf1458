# Manual pages and AppStream metadata for every install, and with
# -DDUSKHOLD_DEB=ON the Debian packages that `make deb` builds with CPack
# (packaging/Debian.cmake).
option(DUSKHOLD_DEB "Configure the Debian package (make deb)" OFF)

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

foreach(page duskhold.6 duskhold-level.1 duskhold-save.1 duskhold-content.1 duskhold-listen.1
    duskhold-routewindow.1)
  duskhold_compressed_doc(${CMAKE_SOURCE_DIR}/docs/man/${page} ${CMAKE_BINARY_DIR}/man/${page}.gz)
  string(REGEX REPLACE ".*\\." "" section ${page})
  # The game's page is in section 6, those of the tools in section 1.
  set(component game)
  if(section STREQUAL 1)
    set(component tools)
  endif()
  install(FILES ${CMAKE_BINARY_DIR}/man/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section}
    COMPONENT ${component})
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/packaging/io.duskhold.Duskhold.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

if(DUSKHOLD_DEB)
  include(${CMAKE_CURRENT_LIST_DIR}/Debian.cmake)
endif()
add_custom_target(docs ALL DEPENDS ${DUSKHOLD_GENERATED_DOCS})
