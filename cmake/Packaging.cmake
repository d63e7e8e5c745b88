# Manual pages, AppStream metadata, the Debian documents, and the .deb that `cpack -G DEB` builds
# in the build folder from what `cmake --install` puts in place.

find_program(GZIP_PROGRAM gzip REQUIRED)

# Installed compressed, as Debian's manual and documentation folders hold them (-n: the same
# bytes on every build).
function(velmora_install_gzipped source destination)
  get_filename_component(name ${source} NAME)
  set(gzipped ${CMAKE_CURRENT_BINARY_DIR}/gz/${name}.gz)
  add_custom_command(OUTPUT ${gzipped}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/gz
    COMMAND ${GZIP_PROGRAM} -9nc ${source} > ${gzipped}
    DEPENDS ${source} VERBATIM)
  add_custom_target(gz_${name} ALL DEPENDS ${gzipped})
  install(FILES ${gzipped} DESTINATION ${destination})
endfunction()

velmora_install_gzipped(${PROJECT_SOURCE_DIR}/docs/man/velmora-convert.1 ${CMAKE_INSTALL_MANDIR}/man1)
if(VELMORA_GUI)
  velmora_install_gzipped(${PROJECT_SOURCE_DIR}/docs/man/velmora.1 ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PROJECT_SOURCE_DIR}/res/velmora.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
          RENAME org.velmora.Velmora.metainfo.xml)
endif()
velmora_install_gzipped(${PROJECT_SOURCE_DIR}/res/debian/changelog ${CMAKE_INSTALL_DATADIR}/doc/velmora)
install(FILES ${PROJECT_SOURCE_DIR}/res/debian/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmora)

set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "The Velmora developers")
set(CPACK_PACKAGE_CONTACT "The Velmora developers <velmora@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Hebrew editor that copies text in visual order for web authoring tools")
set(CPACK_PACKAGE_DESCRIPTION
    "Velmora is a Hebrew rich-text editor for people who prepare Hebrew for tools
that cannot lay out right-to-left text. Text typed in logical order, with its
styles, is turned into visual order, cut into visual lines of a chosen length,
and put on the clipboard as styled HTML or plain lines; visual Hebrew copied
from old web pages is turned back into logical text. velmora-convert runs the
same conversions from a shell.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link against, as dpkg-shlibdeps finds them on this system; then
# what they load at run time that no link shows: Qt's X11 platform plugin and Hebrew fonts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core | culmus")
# Documents from other writers may be Chinese, Japanese or Korean: the editor shows their text
# only with a font that has it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "culmus, fonts-wqy-microhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
