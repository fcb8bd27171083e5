# The release a user unzips: one folder Orvanta-<version>\ holding the wizard, both sorters,
# their manual and the guide, packed by CPack as Orvanta-<version>-win64.zip with its SHA-256.
set(ORVANTA_PACKAGE_FOLDER "Orvanta-${PROJECT_VERSION}")

install(TARGETS Orvanta Pellacor Trivandel RUNTIME DESTINATION ${ORVANTA_PACKAGE_FOLDER})
install(FILES
  ${PROJECT_SOURCE_DIR}/docs/Velkano.pdf
  "${PROJECT_SOURCE_DIR}/docs/guide/はじめにお読みください.txt"
  DESTINATION ${ORVANTA_PACKAGE_FOLDER})

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Orvanta)
set(CPACK_PACKAGE_VENDOR "The Orvanta developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME "Orvanta-${PROJECT_VERSION}-win64")
# The folder comes from the install destination, so the archive's top folder has no "-win64".
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_CHECKSUM SHA256)
include(CPack)

# The package script builds the three programs alone; installing must not build the tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
