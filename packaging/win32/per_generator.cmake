# Read by cpack once per generator: the installer is named as such, so that
# the two downloads tell themselves apart.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
