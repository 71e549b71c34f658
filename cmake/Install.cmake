# Installed layout: program, library, feed plugin and the help file together in
# one private folder, the program linked from the binary folder.
set(TV_PRIVATE_DIR ${CMAKE_INSTALL_LIBDIR}/tallyvane)
install(TARGETS tallyvane Quorvels tallyvanefeed tallyvanebroker
  RUNTIME DESTINATION ${TV_PRIVATE_DIR}
  LIBRARY DESTINATION ${TV_PRIVATE_DIR} NAMELINK_SKIP)
install(FILES ${TV_HELP_FILE} DESTINATION ${TV_PRIVATE_DIR})
install(CODE "
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(CREATE_LINK ../${TV_PRIVATE_DIR}/tallyvane
       \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/tallyvane\" SYMBOLIC)")

# Desktop integration: the menu entry, the icon in every drawn size and the
# software-centre description.
set(TV_RESOURCES ${PROJECT_SOURCE_DIR}/resources)
install(FILES ${TV_RESOURCES}/tallyvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TV_RESOURCES}/org.kestrune.tallyvane.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
set(TV_HICOLOR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
foreach(size IN LISTS TV_ICON_SIZES)
  install(FILES ${TV_RESOURCES}/icons/tallyvane-${size}.png
          DESTINATION ${TV_HICOLOR}/${size}x${size}/apps RENAME tallyvane.png)
endforeach()
install(FILES ${TV_RESOURCES}/icons/tallyvane.png DESTINATION ${TV_HICOLOR}/256x256/apps)
install(FILES ${TV_RESOURCES}/icons/tallyvane.svg DESTINATION ${TV_HICOLOR}/scalable/apps)
