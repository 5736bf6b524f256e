# Installation: the program (and the command-line exporter where it is
# built), the licence, the desktop entry and the icon. The licence is also
# copied beside the built program, where the about box looks first.
include(GNUInstallDirs)

set(FD_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/formdesigner)

add_custom_command(TARGET formdesigner POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/License.txt
          $<TARGET_FILE_DIR:formdesigner>/License.txt
  VERBATIM)

# Run at the end of the top directory, so that targets defined after this
# file is included are seen.
function(fd_install_rules)
  install(TARGETS formdesigner RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  if(TARGET formdesigner-export)
    install(TARGETS formdesigner-export RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
  if(TARGET formdesigner-browser)
    install(TARGETS formdesigner-browser LIBRARY DESTINATION ${FD_BROWSER_MODULE_DIR})
  endif()
  install(FILES ${CMAKE_SOURCE_DIR}/License.txt DESTINATION ${FD_DOCDIR})
  install(FILES ${CMAKE_SOURCE_DIR}/resources/formdesigner.desktop
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
  foreach(size 48 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/formdesigner-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
            RENAME formdesigner.png)
  endforeach()
  install(FILES ${CMAKE_SOURCE_DIR}/resources/formdesigner.svg
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
  # The about box tests read the version block of the built program.
  if(TARGET test_app)
    target_compile_definitions(test_app PRIVATE FD_PROGRAM_FILE="$<TARGET_FILE:formdesigner>"
                               FD_PROJECT_VERSION="${PROJECT_VERSION}")
  endif()
endfunction()
cmake_language(DEFER CALL fd_install_rules)
