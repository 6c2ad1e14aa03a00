# Installing: `make install` (PREFIX, DESTDIR) and `make package` (a Debian package).
include(GNUInstallDirs)

set(PLOVEN_HOMEPAGE "https://ploven.org/" CACHE STRING
    "The project's web address, named by the AppStream metadata (with a trailing slash)")

install(TARGETS plovenctl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The calendar bridge's companion, beside the programs that start it.
install(TARGETS ploven-calendar RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/dist/ploven-calendar.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The manual pages and the completion are made by the built programs from their own usage
# tables, so they say what the programs do.
set(PLOVEN_GENERATED ${CMAKE_BINARY_DIR}/generated)
add_custom_command(OUTPUT ${PLOVEN_GENERATED}/plovenctl.1 ${PLOVEN_GENERATED}/plovenctl
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${PLOVEN_GENERATED}
                   COMMAND plovenctl --man > ${PLOVEN_GENERATED}/plovenctl.1
                   COMMAND plovenctl --bash-completion > ${PLOVEN_GENERATED}/plovenctl
                   DEPENDS plovenctl
                   COMMENT "Writing plovenctl's manual page and bash completion")
set(PLOVEN_GENERATED_FILES ${PLOVEN_GENERATED}/plovenctl.1 ${PLOVEN_GENERATED}/plovenctl)
install(FILES ${PLOVEN_GENERATED}/plovenctl.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PLOVEN_GENERATED}/plovenctl
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

if(TARGET ploven)
  install(TARGETS ploven RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  add_custom_command(OUTPUT ${PLOVEN_GENERATED}/ploven.1
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${PLOVEN_GENERATED}
                     COMMAND ploven --man > ${PLOVEN_GENERATED}/ploven.1
                     DEPENDS ploven
                     COMMENT "Writing ploven's manual page")
  list(APPEND PLOVEN_GENERATED_FILES ${PLOVEN_GENERATED}/ploven.1)
  install(FILES ${PLOVEN_GENERATED}/ploven.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

  install(DIRECTORY ${CMAKE_SOURCE_DIR}/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/ploven/help)
  install(FILES ${CMAKE_SOURCE_DIR}/dist/org.ploven.Ploven.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  configure_file(${CMAKE_SOURCE_DIR}/dist/org.ploven.Ploven.metainfo.xml.in
                 ${PLOVEN_GENERATED}/org.ploven.Ploven.metainfo.xml @ONLY)
  install(FILES ${PLOVEN_GENERATED}/org.ploven.Ploven.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${CMAKE_SOURCE_DIR}/dist/ploven-schedule.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
  foreach(size 16 22 24 32 48 64 128 256 512)
    install(FILES ${CMAKE_SOURCE_DIR}/dist/icons/${size}x${size}/ploven.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  install(FILES ${CMAKE_SOURCE_DIR}/dist/icons/ploven.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  # Installed straight into a prefix (not staged), the desktop learns of the new MIME type and
  # entry at once; a package leaves this to the system's triggers.
  install(CODE [[
    if("$ENV{DESTDIR}" STREQUAL "")
      find_program(PLOVEN_UPDATE_MIME update-mime-database)
      if(PLOVEN_UPDATE_MIME)
        execute_process(COMMAND ${PLOVEN_UPDATE_MIME} "${CMAKE_INSTALL_PREFIX}/share/mime")
      endif()
      find_program(PLOVEN_UPDATE_DESKTOP update-desktop-database)
      if(PLOVEN_UPDATE_DESKTOP)
        execute_process(COMMAND ${PLOVEN_UPDATE_DESKTOP} -q
                                "${CMAKE_INSTALL_PREFIX}/share/applications")
      endif()
    endif()
  ]])
endif()
add_custom_target(ploven_generated ALL DEPENDS ${PLOVEN_GENERATED_FILES})

# The Debian package: its dependencies are read off the programs' libraries (dpkg-shlibdeps).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ploven)
set(CPACK_PACKAGE_VENDOR "The Ploven developers")
set(CPACK_PACKAGE_CONTACT "The Ploven developers <ploven@ploven.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "day planner that plans your work for you")
set(CPACK_PACKAGE_DESCRIPTION
    "Ploven plans your days: set items stay where you put them, flexible items are placed "
    "into the free time of your days in priority order, before their deadlines. It comes with "
    "plovenctl, the same planner on the command line.")
set(CPACK_PACKAGE_HOMEPAGE_URL ${PLOVEN_HOMEPAGE})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
include(CPack)
