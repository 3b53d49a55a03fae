# The Debian package (`cpack -G DEB` in the build directory) of everything Install.cmake installs.
set(CPACK_PACKAGE_NAME kestrix2000)
set(CPACK_PACKAGE_VENDOR QuellWerk)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Sound editor for WAV files with a sound board")
set(CPACK_PACKAGE_INSTALL_DIRECTORY kestrix2000)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "QuellWerk <kestrix2000@quellwerk.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
# The library dependencies come from the programs themselves; our own libraries are private.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/paneldraw ${CMAKE_BINARY_DIR}/wavekit)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "shared-mime-info, hicolor-icon-theme")
include(CPack)
