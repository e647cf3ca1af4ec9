# Installing the game under any prefix, and the Debian package made from that layout.
include(GNUInstallDirs)

# The game finds its music and effects beside its executable, so they share a folder of their
# own; the command on the PATH is a relative link to it, and a link keeps the folder findable.
set(GAME_DIR ${CMAKE_INSTALL_LIBEXECDIR}/zellipo)
set(APP_ID org.belnovia.Zellipo)

install(TARGETS zellipo RUNTIME DESTINATION ${GAME_DIR})
install(TARGETS zellipo_audio LIBRARY DESTINATION ${GAME_DIR})
install(FILES ${CMAKE_BINARY_DIR}/Music.mid ${CMAKE_BINARY_DIR}/pon.wav ${CMAKE_BINARY_DIR}/error.wav
        ${TRANSLATION_QM_FILES} DESTINATION ${GAME_DIR})
file(RELATIVE_PATH GAME_FROM_BIN /${CMAKE_INSTALL_BINDIR} /${GAME_DIR}/zellipo)
install(CODE "
  set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/zellipo\")
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(REMOVE \"\${link}\")
  file(CREATE_LINK \"${GAME_FROM_BIN}\" \"\${link}\" SYMBOLIC)
  message(STATUS \"Installing: \${link} -> ${GAME_FROM_BIN}\")
")

install(FILES resources/desktop/${APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/desktop/${APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size ${ICON_SIZES})
  install(FILES ${ASSET_DIR}/icon_${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${APP_ID}.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zellipo)
set(CPACK_PACKAGE_VENDOR Belnovia)
set(CPACK_PACKAGE_CONTACT "Belnovia <games@belnovia.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sliding-tile picture puzzle against the clock")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The libraries the executable and the sound module link come from dpkg-shlibdeps; what they
# only load or read at run time is named here: the platform plugin, the image plugins of the
# player's own pictures (WebP, TIFF), the MIDI soundfont and the fonts asked for.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-image-formats-plugins, timgm6mb-soundfont, fonts-arphic-uming, fonts-liberation2")
include(CPack)
