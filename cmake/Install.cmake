# Installs the game as a Linux game: the executable in bin/, its content in share/kesto/Assets/ (where the game looks
# for it from bin/), a desktop entry and the icon. CPack packs the same as a .tar.gz and a .deb (for /usr).
install(TARGETS kesto RUNTIME DESTINATION bin)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Assets DESTINATION share/kesto)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/kesto.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/Assets/Art/Misc/IconN001.PNG
        DESTINATION share/icons/hicolor/64x64/apps RENAME kesto.png)

set(CPACK_PACKAGE_NAME kesto)
set(CPACK_PACKAGE_VENDOR "The Kesto team")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Kesto, a 2D side-scrolling platformer")
set(CPACK_PACKAGE_CONTACT "The Kesto team <kesto@localhost>")
set(CPACK_GENERATOR "TGZ;DEB")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The libraries the executable links, as Debian names them, found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Mesa's drivers are loaded at run time, so no library dependency names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1-mesa-dri")
include(CPack)
