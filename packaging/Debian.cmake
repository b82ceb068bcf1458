# The Debian packages of `make deb`, built by CPack: duskhold, the game in
# /usr/games with its data, and duskhold-tools, the tools in /usr/bin (a
# package in the games section holds games only), each with the Debian
# changelog and copyright files.
# The changelog's latest entry names the package's version and maintainer:
# "duskhold (0.1.0-1) unstable; ..." and " -- NAME <EMAIL>  DATE".
set(changelog ${CMAKE_SOURCE_DIR}/packaging/debian/changelog)
file(STRINGS ${changelog} entry_head LIMIT_COUNT 1)
file(STRINGS ${changelog} entry_trailers REGEX "^ -- ")
list(GET entry_trailers 0 entry_trailer)
if(NOT entry_head MATCHES "^duskhold \\(([^-]+)-([^)]+)\\)" OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "${changelog}: its latest entry must be for version ${PROJECT_VERSION}-N")
endif()
set(CPACK_DEBIAN_PACKAGE_RELEASE ${CMAKE_MATCH_2})
string(REGEX REPLACE "^ -- (.*>).*" "\\1" CPACK_PACKAGE_CONTACT "${entry_trailer}")

# Debian names the changelog of a package changelog.Debian.
duskhold_compressed_doc(${changelog} ${CMAKE_BINARY_DIR}/debian/changelog.Debian.gz)

# The machine-readable copyright file carries LICENSE's terms, each line
# indented by one space and each blank line written as " .".
file(READ ${CMAKE_SOURCE_DIR}/LICENSE licence)
string(REGEX REPLACE "^.*\n\n(This software)" "\\1" licence_terms "${licence}")
string(STRIP "${licence_terms}" licence_terms)
string(REPLACE "\n\n" "\n.\n" licence_terms "${licence_terms}")
string(REPLACE "\n" "\n " licence_terms " ${licence_terms}")
string(REGEX MATCH "Copyright \\(c\\) [^\n]*" copyright_line "${licence}")
string(REPLACE "Copyright (c) " "" DUSKHOLD_COPYRIGHT_HOLDERS "${copyright_line}")
set(DUSKHOLD_LICENCE_TERMS "${licence_terms}")
configure_file(${CMAKE_SOURCE_DIR}/packaging/debian/copyright.in ${CMAKE_BINARY_DIR}/debian/copyright @ONLY)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME duskhold)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL game tools)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_GAME_PACKAGE_NAME duskhold)
set(CPACK_DEBIAN_GAME_PACKAGE_SECTION games)
set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME duskhold-tools)
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION utils)
# dpkg-shlibdeps finds the libraries the programs link, but not those loaded
# at run time: SDL opens libGL.so.1 for the window's GL context (without it
# no window opens), which hands the drawing to a GLX vendor library (Mesa's
# brings its drivers; without either the context fails), and the music's
# MIDI is played with the freepats instruments (without them it is silent).
set(CPACK_DEBIAN_GAME_PACKAGE_DEPENDS "libgl1, libglx-mesa0 | libglx-vendor, freepats")
# The tools read and write the game's data (its levels and save file).
set(CPACK_DEBIAN_TOOLS_PACKAGE_DEPENDS "duskhold (= ${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE})")
foreach(component game tools)
  string(TOUPPER ${component} upper)
  set(package ${CPACK_DEBIAN_${upper}_PACKAGE_NAME})
  file(READ ${CMAKE_CURRENT_LIST_DIR}/debian/${package}.description CPACK_DEBIAN_${upper}_DESCRIPTION)
  install(FILES ${CMAKE_BINARY_DIR}/debian/changelog.Debian.gz ${CMAKE_BINARY_DIR}/debian/copyright
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endforeach()
include(CPack)
