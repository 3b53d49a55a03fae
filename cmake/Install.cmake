# Where `cmake --install` puts everything, as a Linux desktop expects it: the programs in bin, the
# shared libraries and the extension module in a directory of their own below lib (found through
# the programs' run path), the desktop entries, the board file's MIME type, the icons and the
# AppStream description below share.
include(GNUInstallDirs)

set(KX_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/desktop)
set(KX_APP_ID org.quellwerk.Kestrix2000)

# The programs and libraries find our own libraries relative to where they are installed.
file(RELATIVE_PATH kx_bin_to_lib /${CMAKE_INSTALL_BINDIR} /${KX_PRIVATE_LIBDIR})
set_target_properties(wavedesk padplay extsetup wavetool wavetool_full PROPERTIES INSTALL_RPATH "$ORIGIN/${kx_bin_to_lib}")
set_target_properties(wavekit paneldraw PROPERTIES INSTALL_RPATH "$ORIGIN")
set_target_properties(internet PROPERTIES INSTALL_RPATH "$ORIGIN/..")

install(TARGETS wavedesk padplay extsetup wavetool wavetool_full RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS wavekit paneldraw LIBRARY DESTINATION ${KX_PRIVATE_LIBDIR})
install(TARGETS internet LIBRARY DESTINATION ${KX_PRIVATE_LIBDIR}/extensions)

install(FILES ${KX_DESKTOP_DIR}/${KX_APP_ID}.desktop ${KX_DESKTOP_DIR}/${KX_APP_ID}.Padplay.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KX_DESKTOP_DIR}/${KX_APP_ID}.mime.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${KX_APP_ID}.xml)
install(FILES ${KX_DESKTOP_DIR}/${KX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${KX_DESKTOP_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${KX_DESKTOP_DIR}/icons/${KX_APP_ID}.svg ${KX_DESKTOP_DIR}/icons/${KX_APP_ID}.Padplay.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kestrix2000)
# The editor looks for its help pages here, relative to its own directory.
install(DIRECTORY help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/kestrix2000/help)
