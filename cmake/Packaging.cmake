# Installation and packages: a .deb of the Linux build, a .zip of the Windows build. The version is
# the project's, as the About window and the Windows resource show it.
set(TAPWRIGHT_PACKAGE_VERSION
    "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_TWEAK}")
set(CPACK_PACKAGE_NAME tapwright)
set(CPACK_PACKAGE_VERSION ${TAPWRIGHT_PACKAGE_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tapwright developers")
set(CPACK_PACKAGE_CONTACT "The Tapwright developers <tapwright@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Records what the mouse does and plays it back")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)

if(WIN32)
  install(TARGETS tapwright RUNTIME DESTINATION .)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME tapwright-${TAPWRIGHT_PACKAGE_VERSION}-windows-x64)
else()
  include(GNUInstallDirs)
  # The hicolor icons, drawn at build time by the program's own picture code.
  add_executable(tapwright_make_png_icon ${PROJECT_SOURCE_DIR}/tools/make_png_icon.cpp
                                         ${PROJECT_SOURCE_DIR}/src/ui/pictures.cpp)
  target_include_directories(tapwright_make_png_icon PRIVATE ${PROJECT_SOURCE_DIR}/src)
  set(icons)
  foreach(size 16 32 48 64 128 256)
    set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/tapwright.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
      COMMAND tapwright_make_png_icon ${size} ${png}
      DEPENDS tapwright_make_png_icon)
    list(APPEND icons ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  configure_file(${PROJECT_SOURCE_DIR}/packaging/tapwright.1.in ${CMAKE_BINARY_DIR}/tapwright.1 @ONLY)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/tapwright.1.gz
    COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/tapwright.1 > ${CMAKE_BINARY_DIR}/tapwright.1.gz
    DEPENDS ${CMAKE_BINARY_DIR}/tapwright.1)
  add_custom_target(tapwright_desktop_files ALL DEPENDS ${icons} ${CMAKE_BINARY_DIR}/tapwright.1.gz)

  install(TARGETS tapwright RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/tapwright.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_BINARY_DIR}/tapwright.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tapwright)

  set(CPACK_GENERATOR DEB)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The desktop's file chooser for F5 and F6, and the fonts the window is laid out for.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "zenity | kdialog, fonts-liberation")
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
      "Records what the mouse does and plays it back\n Press F8 in any application to record the pointer's moves and the mouse\n buttons, F10 to play them back at the same pace; F6 and F5 save and load\n recordings as small text files. Recordings can play at a time of day, in\n a loop, or one after another from a list.")
endif()
include(CPack)
