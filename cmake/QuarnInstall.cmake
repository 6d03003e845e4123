# Where `cmake --install` puts QuarnSoft, in the usual places of a Linux
# system (GNUInstallDirs): the two executables, the string table in the
# program's data folder, and for the desktop the menu entry, icons, AppStream
# metainfo, manual pages and the programmer's udev rule. Only what a
# technician runs is installed: no test stand-ins, no test programs.
include(GNUInstallDirs)

# The identity the desktop knows QuarnSoft by, and who answers for the
# package. Both stand in for the owner's own domain and address.
set(QUARN_APPSTREAM_ID "org.quarnsoft.quarnsoft")
set(QUARN_MAINTAINER "QuarnSoft maintainers <maintainers@quarnsoft.example>")

install(TARGETS quarnsoft-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET quarnsoft)
  install(TARGETS quarnsoft RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
# The program looks for its texts in ../share/quarnsoft/ from its own folder.
install(FILES ${PROJECT_SOURCE_DIR}/resources/StringTable.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/quarnsoft)

if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  return()
endif()

set(linux_resources ${PROJECT_SOURCE_DIR}/resources/linux)
set(generated ${PROJECT_BINARY_DIR}/install)
file(MAKE_DIRECTORY ${generated})

install(FILES ${linux_resources}/quarnsoft.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# udev reads rules from lib/udev/rules.d under /usr (and /usr/local); on a
# merged-/usr Debian that is also /lib/udev/rules.d. /etc/udev/rules.d is left
# to the machine's administrator.
install(FILES ${linux_resources}/60-quarnprog.rules DESTINATION lib/udev/rules.d)

# AppStream metainfo with this version and the day it was built (or
# SOURCE_DATE_EPOCH's, for a reproducible build).
string(TIMESTAMP QUARN_RELEASE_DATE "%Y-%m-%d" UTC)
configure_file(${linux_resources}/quarnsoft.metainfo.xml.in
               ${generated}/${QUARN_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${generated}/${QUARN_APPSTREAM_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Compressed with gzip -9n (no name, no time stamp), as Debian wants man
# pages and changelogs; man reads them as they are.
find_program(QUARN_GZIP gzip REQUIRED)
set(gzipped_files)
function(quarn_gzip source output)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${QUARN_GZIP} -9n -c ${source} > ${output}
    DEPENDS ${source}
    COMMENT "Compressing ${output}"
    VERBATIM)
endfunction()

foreach(page quarnsoft quarnsoft-cli)
  quarn_gzip(${PROJECT_SOURCE_DIR}/resources/man/${page}.1 ${generated}/${page}.1.gz)
  list(APPEND gzipped_files ${generated}/${page}.1.gz)
  install(FILES ${generated}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# The package's own documentation, its copyright file and changelog, in
# share/doc/quarnsoft (GNUInstallDirs would name the folder QuarnSoft).
string(TIMESTAMP QUARN_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${linux_resources}/debian/changelog.in ${generated}/changelog @ONLY)
configure_file(${linux_resources}/debian/copyright ${generated}/copyright @ONLY)
quarn_gzip(${generated}/changelog ${generated}/changelog.gz)
list(APPEND gzipped_files ${generated}/changelog.gz)
install(FILES ${generated}/changelog.gz ${generated}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quarnsoft)

# The icon at the sizes menus and file managers ask for, rendered from the
# drawing (librsvg's rsvg-convert), and the drawing itself for any other size.
set(icon_source ${PROJECT_SOURCE_DIR}/resources/icons/quarnsoft.svg)
set(quarn_icon_sizes 16 22 24 32 48 64 128 256)
find_program(QUARN_RSVG_CONVERT rsvg-convert)
set(icon_files)
if(QUARN_RSVG_CONVERT)
  foreach(size IN LISTS quarn_icon_sizes)
    set(png ${generated}/icons/${size}x${size}/quarnsoft.png)
    add_custom_command(
      OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/icons/${size}x${size}
      COMMAND ${QUARN_RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${icon_source}
      DEPENDS ${icon_source}
      COMMENT "Rendering the ${size} px icon"
      VERBATIM)
    list(APPEND icon_files ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
else()
  message(WARNING "rsvg-convert (Debian: librsvg2-bin) not found: only the scalable icon "
                  "is installed, without the fixed sizes menus prefer")
endif()
install(FILES ${icon_source} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

add_custom_target(quarn_install_files ALL DEPENDS ${gzipped_files} ${icon_files})
