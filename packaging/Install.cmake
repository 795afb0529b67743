# Install rules and the Debian package made from them.
install(TARGETS skelda RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

foreach(folder setting macro gun i18n)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/modules/${folder}
    DESTINATION ${SKELDA_FACTORY_DIR}/modules
    PATTERN ".gitkeep" EXCLUDE)
endforeach()
# The program counts the folders of img as skins: the picture generator stays out.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/modules/img
  DESTINATION ${SKELDA_FACTORY_DIR}/modules
  PATTERN "skingen" EXCLUDE
  PATTERN ".gitkeep" EXCLUDE)

# Where udev reads the rules packages bring (Debian's merged /usr).
install(FILES ${CMAKE_CURRENT_LIST_DIR}/70-skelda-mouse.rules
  DESTINATION lib/udev/rules.d)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/com.dornak.Skelda.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/com.dornak.Skelda.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/icons/hicolor
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME skelda)
set(CPACK_PACKAGE_VENDOR DORNAK)
set(CPACK_PACKAGE_CONTACT "DORNAK <support@dornak.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Settings of the DORNAK SKELDA MOUSE R740")
set(CPACK_PACKAGE_DESCRIPTION
  "Profiles, buttons, DPI, report rate, lighting, axis sensitivity, keyboard and recoil macros of the mouse, from the tray.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The documents' modules are loaded at run time, out of sight of the library scan.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qml6-module-qtquick, qml6-module-qtquick-controls, qml6-module-qtquick-templates, qml6-module-qtqml-workerscript, qt6-qpa-plugins")
include(CPack)
