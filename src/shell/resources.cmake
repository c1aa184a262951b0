# The menu pictures and the user guide, built into ovix_shell.
file(GLOB _shell_icons CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/icons/*.png)
qt_add_resources(ovix_shell shell_icons PREFIX "/shell" BASE ${CMAKE_CURRENT_SOURCE_DIR}
                 FILES ${_shell_icons})

# The user guide: docs/user-guide.md written out as "Ovix_Manual.pdf" by the
# ovix_userguide tool (Qt's own PDF writer) and built in; the Help menu installs
# it in the application data folder when it is missing there.
set(_shell_guide ${CMAKE_CURRENT_BINARY_DIR}/Ovix_Manual.pdf)
add_custom_command(OUTPUT ${_shell_guide}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:ovix_userguide> ${PROJECT_SOURCE_DIR}/docs/user-guide.md ${_shell_guide}
  DEPENDS ovix_userguide ${PROJECT_SOURCE_DIR}/docs/user-guide.md
  COMMENT "Writing the user guide Ovix_Manual.pdf"
  VERBATIM)
qt_add_resources(ovix_shell shell_guide PREFIX "/shell" BASE ${CMAKE_CURRENT_BINARY_DIR}
                 FILES ${_shell_guide})
