# Installation: the programs, the browser module they load, the licence,
# the change log, the manual pages, the desktop entry with its icon and the
# AppStream metadata; cmake/Package.cmake makes a Debian package of it. The
# licence is also copied beside the built program, where the about box
# looks first.
include(GNUInstallDirs)

set(FD_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/formdesigner)
set(FD_APP_ID org.formdesigner.FormDesigner)

add_custom_command(TARGET formdesigner POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/License.txt
          $<TARGET_FILE_DIR:formdesigner>/License.txt
  VERBATIM)

# The manual pages and the change log are installed compressed, without a
# time stamp in the compressed file, so that the same sources give the same
# package.
set(FD_COMPRESSED "")
foreach(source resources/man/formdesigner.1 resources/man/formdesigner-export.1 resources/changelog)
  get_filename_component(name ${source} NAME)
  set(copy ${CMAKE_BINARY_DIR}/compressed/${name})
  add_custom_command(OUTPUT ${copy}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/${source} ${copy}
    COMMAND gzip -9nf ${copy}
    DEPENDS ${CMAKE_SOURCE_DIR}/${source}
    VERBATIM)
  list(APPEND FD_COMPRESSED ${copy}.gz)
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${FD_COMPRESSED})

# Run at the end of the top directory, so that targets defined after this
# file is included are seen.
function(fd_install_rules)
  install(TARGETS formdesigner RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  if(TARGET formdesigner-export)
    install(TARGETS formdesigner-export RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
  # The programs look for the module at this place relative to themselves.
  if(TARGET formdesigner-browser)
    install(TARGETS formdesigner-browser LIBRARY DESTINATION ${FD_BROWSER_MODULE_DIR})
  endif()
  install(FILES ${CMAKE_SOURCE_DIR}/License.txt DESTINATION ${FD_DOCDIR} RENAME copyright)
  install(FILES ${CMAKE_BINARY_DIR}/compressed/changelog.gz DESTINATION ${FD_DOCDIR})
  install(FILES ${CMAKE_BINARY_DIR}/compressed/formdesigner.1.gz
                ${CMAKE_BINARY_DIR}/compressed/formdesigner-export.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/${FD_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/${FD_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
  foreach(size 32 48 128 256)
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
