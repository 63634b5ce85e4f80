# SPDX-FileCopyrightText: Quillon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts where, and the Debian package made from it
# (`cpack -G DEB` in the build folder).
include(GNUInstallDirs)

set(QUILLON_APP_ID org.quillon.Quillon)
set(QUILLON_DATA ${PROJECT_SOURCE_DIR}/data)
set(QUILLON_GENERATED ${PROJECT_BINARY_DIR}/data)

install(TARGETS quillon quillon-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The menu entry, the software-centre description and the icon.
install(FILES ${QUILLON_DATA}/${QUILLON_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QUILLON_DATA}/${QUILLON_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${QUILLON_DATA}/icons/${QUILLON_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The fixed-size icons are rendered from the SVG at build time, so they never
# drift from it; rsvg-convert is in Debian's librsvg2-bin. Only an install and
# the package need them: without rsvg-convert the programs still build, and
# an install stops with a message.
find_program(RSVG_CONVERT rsvg-convert)
set(QUILLON_ICON_FILES)
if(RSVG_CONVERT)
    foreach(size 48 256)
        set(png ${QUILLON_GENERATED}/icons/${size}/${QUILLON_APP_ID}.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${QUILLON_GENERATED}/icons/${size}
            COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png}
                    ${QUILLON_DATA}/icons/${QUILLON_APP_ID}.svg
            DEPENDS ${QUILLON_DATA}/icons/${QUILLON_APP_ID}.svg
            VERBATIM)
        list(APPEND QUILLON_ICON_FILES ${png})
        install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
else()
    message(STATUS "rsvg-convert not found: the programs build, an install needs it (librsvg2-bin)")
    install(CODE "message(FATAL_ERROR \"rsvg-convert (Debian package librsvg2-bin) renders the icon: install it and configure again\")")
endif()

# Man pages: the troff sources with the version filled in, compressed as
# Debian keeps them.
set(QUILLON_MAN_FILES)
foreach(page quillon quillon-cli)
    configure_file(${QUILLON_DATA}/man/${page}.1 ${QUILLON_GENERATED}/man/${page}.1 @ONLY)
    set(gz ${QUILLON_GENERATED}/man/${page}.1.gz)
    add_custom_command(OUTPUT ${gz}
        COMMAND gzip -9nc ${QUILLON_GENERATED}/man/${page}.1 > ${gz}
        DEPENDS ${QUILLON_GENERATED}/man/${page}.1)
    list(APPEND QUILLON_MAN_FILES ${gz})
    install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# The licence in Debian's machine-readable form, and the history of changes
# (CHANGELOG.md) in Debian's changelog format, compressed as Debian keeps it.
set(QUILLON_CONTACT "Quillon developers <quillon@quillon.example>")
set(QUILLON_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/quillon)
set(changelog ${QUILLON_GENERATED}/doc/changelog.gz)
add_custom_command(OUTPUT ${changelog}
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR}/CHANGELOG.md
            -DOUTPUT=${QUILLON_GENERATED}/doc/changelog -DPACKAGE=quillon
            -DVERSION=${PROJECT_VERSION} -DMAINTAINER=${QUILLON_CONTACT}
            -P ${PROJECT_SOURCE_DIR}/cmake/DebianChangelog.cmake
    COMMAND gzip -9nf ${QUILLON_GENERATED}/doc/changelog
    DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/cmake/DebianChangelog.cmake
    VERBATIM)
install(FILES ${QUILLON_DATA}/copyright ${changelog} DESTINATION ${QUILLON_DOCDIR})
add_custom_target(quillon_data ALL DEPENDS ${QUILLON_ICON_FILES} ${QUILLON_MAN_FILES} ${changelog})

install(FILES ${QUILLON_DATA}/completion/quillon-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# The Debian package: its library dependencies are read from the programs by
# dpkg-shlibdeps; the fonts the window is laid out for come along.
set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VENDOR "Quillon")
set(CPACK_PACKAGE_CONTACT ${QUILLON_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "rename all the files of a folder at once")
set(CPACK_PACKAGE_DESCRIPTION "Quillon lists every file of one folder with its dates, current
name, proposed new name and size, and renames them all in one pass that can
be undone. It never replaces a file that is already there.
quillon-cli gives the same operations in a terminal.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://quillon.example/")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-image-formats-plugins")
include(CPack)
