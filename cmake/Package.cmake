# The Debian package: `cpack -G DEB` in a Release build (scripts/package.sh) gives
# talvanor_VERSION_ARCH.deb with everything the install rules put in place.
include(GNUInstallDirs)

# What Debian asks of every package: the copyright and a changelog, compressed as it keeps them.
set(package_docs ${CMAKE_BINARY_DIR}/package-docs)
add_custom_command(OUTPUT ${package_docs}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${package_docs}
    COMMAND sh -c "gzip -9n < \"$0\" > \"$1\"" ${CMAKE_SOURCE_DIR}/resources/debian/changelog
            ${package_docs}/changelog.gz
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/debian/changelog VERBATIM)
add_custom_target(package_changelog ALL DEPENDS ${package_docs}/changelog.gz)
install(FILES ${CMAKE_SOURCE_DIR}/resources/debian/copyright ${package_docs}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/talvanor)
# What lintian reports and we keep, each with its reason.
install(FILES ${CMAKE_SOURCE_DIR}/resources/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME talvanor)

set(CPACK_PACKAGE_NAME talvanor)
set(CPACK_PACKAGE_VENDOR "Talvanor Software")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Talvanor Software <talvanor@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "resume bank for recruiting agencies")
set(CPACK_PACKAGE_INSTALL_DIRECTORY talvanor)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/StripPackaged.cmake)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.example.com/talvanor/")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Talvanor keeps the resumes of a recruiting agency's candidates in one bank
file and finds them again. Resumes are typed into a form, imported from
text, PDF, Word, OpenDocument, RTF and web page files with the name, e-mail,
organization and experience tagged in the text, or opened from the file
manager. The bank is searched by name, qualification, specialization,
location, experience and status and by the words of the resumes' texts;
the results are sorted, copied, exported to CSV, edited and mailed to the
candidate from one grid.
.
The package holds the program with its menu entry and user guide,
talvanor-init, which prepares a data folder from the command line, and
talvanor-read, which prints the text of resume files as the program reads
them, and talvanor-bank, which backs up, checks and restores the bank.")
# The libraries come from what the programs link; the rest the programs start or load at run time:
# Qt's platform plugins draw the window, antiword and unrtf read Word 97-2003 and RTF files, the
# recognition engine loads its English data (tesseract-ocr-eng),
# xdg-utils opens the guide, web links and mail, and Qt needs at least one font.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, antiword, unrtf, tesseract-ocr-eng, xdg-utils, fonts-dejavu-core")

include(CPack)
