# Installation and packages: a .deb of the Linux build, a .zip of the Windows build, both of
# version TAPWRIGHT_VERSION, as the About window and the Windows resource show it.
set(CPACK_PACKAGE_NAME tapwright)
set(CPACK_PACKAGE_VERSION ${TAPWRIGHT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tapwright developers")
set(CPACK_PACKAGE_CONTACT "The Tapwright developers <tapwright@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "record what the mouse does and play it back")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)

if(WIN32)
  install(TARGETS tapwright tapwright_console RUNTIME DESTINATION .)
  # Windows users get plain text with Windows line ends, and nothing that needs the repository.
  configure_file(${PROJECT_SOURCE_DIR}/packaging/README-windows.txt.in
                 ${CMAKE_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${CMAKE_BINARY_DIR}/LICENSE.txt
                 @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_BINARY_DIR}/README.txt ${CMAKE_BINARY_DIR}/LICENSE.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME tapwright-${TAPWRIGHT_VERSION}-windows-x64)
else()
  include(GNUInstallDirs)
  set(doc ${CMAKE_INSTALL_DATADIR}/doc/tapwright)
  set(packaging ${PROJECT_SOURCE_DIR}/packaging)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${packaging}/changelog)

  # The changelog's latest entry names the version and the release date that the manual page
  # and the AppStream release carry.
  file(STRINGS ${packaging}/changelog heading LIMIT_COUNT 1)
  if(NOT heading MATCHES "^tapwright \\(([^)]+)\\)" OR NOT CMAKE_MATCH_1 STREQUAL TAPWRIGHT_VERSION)
    message(FATAL_ERROR "packaging/changelog begins with '${heading}': "
                        "its first entry must be for version ${TAPWRIGHT_VERSION}")
  endif()
  file(STRINGS ${packaging}/changelog signature REGEX "^ -- " LIMIT_COUNT 1)
  string(REGEX MATCH ", ([0-9]+) ([A-Z][a-z][a-z]) ([0-9]+) " date "${signature}")
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(FIND months "${CMAKE_MATCH_2}" month)
  if(date STREQUAL "" OR month EQUAL -1)
    message(FATAL_ERROR "packaging/changelog: no date in '${signature}'")
  endif()
  math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
  string(LENGTH "${CMAKE_MATCH_1}" day_digits)
  set(day ${CMAKE_MATCH_1})
  if(day_digits EQUAL 1)
    set(day 0${day})
  endif()
  if(month LESS 10)
    set(month 0${month})
  endif()
  set(TAPWRIGHT_RELEASE_DATE ${CMAKE_MATCH_3}-${month}-${day})

  # The Debian copyright file carries LICENSE's holder and text.
  string(STRIP "${TAPWRIGHT_LICENCE_BODY}" text)
  string(REGEX REPLACE "\n\n+" "\n.\n" text "${text}")
  string(REPLACE "\n" "\n " TAPWRIGHT_LICENCE_TEXT " ${text}")
  configure_file(${packaging}/copyright.in ${CMAKE_BINARY_DIR}/copyright @ONLY)

  # The hicolor icons, drawn at build time by the program's own picture code; a recording file
  # shows the same picture.
  find_package(ZLIB REQUIRED)
  add_executable(tapwright_make_png_icon ${PROJECT_SOURCE_DIR}/tools/make_png_icon.cpp
                                         ${PROJECT_SOURCE_DIR}/src/ui/pictures.cpp)
  target_include_directories(tapwright_make_png_icon PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(tapwright_make_png_icon PRIVATE ZLIB::ZLIB)
  set(icons)
  foreach(size 16 32 48 64 128 256)
    set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/tapwright.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
      COMMAND tapwright_make_png_icon ${size} ${png}
      DEPENDS tapwright_make_png_icon)
    list(APPEND icons ${png})
    set(dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size})
    install(FILES ${png} DESTINATION ${dir}/apps)
    install(FILES ${png} DESTINATION ${dir}/mimetypes RENAME application-x-tapwright-recording.png)
  endforeach()
  configure_file(${packaging}/tapwright.1.in ${CMAKE_BINARY_DIR}/tapwright.1 @ONLY)
  configure_file(${packaging}/io.github.tapwright.tapwright.metainfo.xml.in
                 ${CMAKE_BINARY_DIR}/io.github.tapwright.tapwright.metainfo.xml @ONLY)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/tapwright.1.gz
    COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/tapwright.1 > ${CMAKE_BINARY_DIR}/tapwright.1.gz
    DEPENDS ${CMAKE_BINARY_DIR}/tapwright.1)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
    COMMAND gzip -9nc ${packaging}/changelog > ${CMAKE_BINARY_DIR}/changelog.gz
    DEPENDS ${packaging}/changelog)
  add_custom_target(tapwright_desktop_files ALL
    DEPENDS ${icons} ${CMAKE_BINARY_DIR}/tapwright.1.gz ${CMAKE_BINARY_DIR}/changelog.gz)

  install(TARGETS tapwright RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # strip leaves the compilers' notes in .comment, which nothing reads.
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/tapwright\"
        COMMAND_ERROR_IS_FATAL ANY)
    endif()")
  install(FILES ${packaging}/tapwright.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_BINARY_DIR}/io.github.tapwright.tapwright.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${packaging}/tapwright.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
  install(FILES ${CMAKE_BINARY_DIR}/tapwright.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md ${CMAKE_BINARY_DIR}/copyright
                ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${doc})

  set(CPACK_GENERATOR DEB)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The desktop's file chooser for F5 and F6, and the fonts the window is laid out for.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "zenity | kdialog, fonts-liberation")
  # After the synopsis above; CPack indents each line.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[
Tapwright takes a few keys from whichever application has the focus. Press
F8 to record the pointer's moves and the mouse buttons (and, if asked, the
keyboard), F10 to play them back at the same pace, or faster or slower; F6
and F5 save and load recordings as small text files.
Recordings can play at a time of day, in a loop, or one after another from
a list. It needs an X11 session; on a Wayland session it runs through
XWayland and can record and replay only X11 (XWayland) applications.]])
endif()
include(CPack)
