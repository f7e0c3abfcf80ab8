# The Debian package: `cpack -G DEB` in the build folder writes tessellar_VERSION_ARCH.deb,
# its dependencies read from the binaries (dpkg-shlibdeps) and the few they cannot name.
install(FILES ${CMAKE_SOURCE_DIR}/data/invalid.tessellar.Tessellar.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/data/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tessellar)

# Man pages compressed as Debian keeps them.
find_program(GZIP_PROGRAM gzip REQUIRED)
foreach(page tessellar.1 tessellar-tool.1)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
        COMMAND ${GZIP_PROGRAM} -9n -c ${CMAKE_SOURCE_DIR}/data/man/${page} > ${CMAKE_BINARY_DIR}/man/${page}.gz
        DEPENDS ${CMAKE_SOURCE_DIR}/data/man/${page})
    list(APPEND man_pages ${CMAKE_BINARY_DIR}/man/${page}.gz)
endforeach()
add_custom_target(man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessellar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "write quizzes and take them, in Japanese")
set(CPACK_PACKAGE_DESCRIPTION "Tessellar is a desktop program for writing quizzes and taking them, with a
Japanese user interface. Authors write a quiz as a numbered list of questions
(HTML question and choices, correct answer, key point, picture); learners
answer against a 2 h 30 min clock and get a score and a printable report.
Quiz files made on Windows (Shift_JIS) load and save byte for byte. Reviews
of missed questions, practice mode, a teacher's view of a class and Moodle
XML/GIFT exchange are included, with the command-line tessellar-tool.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tessellar developers <maintainers@tessellar.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the binaries load at run time rather than link: the X11 platform plugin, Japanese fonts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-noto-cjk | fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
