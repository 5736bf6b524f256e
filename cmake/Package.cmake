# "make package": a Debian package of what cmake/Install.cmake installs,
# under /usr. The packages it depends on are read from the libraries that
# the programs and the module link (shlibdeps).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME formdesigner)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Form Designer developers <feedback@formdesigner.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "visual designer of data-entry forms")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Form Designer lays out data-entry forms with the mouse: control kinds are\n"
  "dragged from a palette onto the design surface, moved, resized and aligned\n"
  "there, and their properties edited in an object inspector. Layouts are\n"
  "saved as XML files and exported as HTML pages, XSL-FO documents and PDF\n"
  "documents, from the window or with the command-line tool\n"
  "formdesigner-export.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fop")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
