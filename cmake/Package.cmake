# The Debian package, made by CPack (scripts/package runs it). The Depends
# line comes from dpkg-shlibdeps on the programs, so it names the Qt 6
# packages of the release the package is built on; the platform plugins are
# loaded at run time and named by hand. The package's own documentation
# (copyright, changelog) is what Debian requires of every package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zav)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "ZAV developers")
set(CPACK_PACKAGE_CONTACT "ZAV developers <zav-developers@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "assemble, check and summarise environmental monitoring time series")
set(CPACK_PACKAGE_DESCRIPTION
  "ZAV gathers water-quality and hydrologic measurements taken at monitoring
stations into one project, checks and edits them, and summarises them
interval by interval as tables and graphs. The desktop program zav is in
the desktop menu and opens ZAV projects (.zav files); zav-cli runs the same
operations from the shell for batch work.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# /usr/share/doc/zav: the copyright file and a compressed changelog.
set(zav_package_doc ${CMAKE_BINARY_DIR}/package-doc)
add_custom_command(OUTPUT ${zav_package_doc}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${zav_package_doc}
  COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/packaging/changelog > ${zav_package_doc}/changelog.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog
  COMMENT "Compressing the package changelog")
add_custom_target(zav_package_doc ALL DEPENDS ${zav_package_doc}/changelog.gz)
install(FILES packaging/copyright ${zav_package_doc}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zav)

include(CPack)
