# The browser build's tests: the engine's and the form's test programs, the
# same as on Linux, run under node (the toolchain's emulator). Each program is
# one test: listing its cases would mean running node at build time.
add_test(NAME aurisplot_engine_tests COMMAND aurisplot_engine_tests)
add_test(NAME aurisplot_form_tests COMMAND aurisplot_form_tests)
add_subdirectory(window)

# The browser tests' own tools, the static server and the DevTools driver, run
# by Debian's python3, whose python3-websocket they use, with a headless chromium.
add_test(NAME aurisplot_web_harness
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/needs.sh chromium:chromium
          /usr/lib/python3/dist-packages/websocket/__init__.py:python3-websocket --
          /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/web/harness_test.py)
set_tests_properties(aurisplot_web_harness PROPERTIES
  ENVIRONMENT PYTHONDONTWRITEBYTECODE=1 TIMEOUT 120)

# The site as the build makes it (target aurisplot_site): offline from the
# cache of its build, a new build's cache in place of the old one, the cache
# named for every file of the site, and the ZIP holding the site.
add_test(NAME aurisplot_web_site
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/needs.sh chromium:chromium
          /usr/lib/python3/dist-packages/websocket/__init__.py:python3-websocket --
          /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/web/site_test.py)
set_tests_properties(aurisplot_web_site PROPERTIES
  ENVIRONMENT "PYTHONDONTWRITEBYTECODE=1;AURISPLOT_SITE=${PROJECT_BINARY_DIR}/site;AURISPLOT_SITE_SOURCE=${PROJECT_SOURCE_DIR}/window/web/site;AURISPLOT_MAKE_SITE=${PROJECT_SOURCE_DIR}/packaging/web/make_site.cmake;CMAKE=${CMAKE_COMMAND};ZIP_PROGRAM=${AURISPLOT_ZIP}"
  TIMEOUT 120)

# The page as a user drives it (target aurisplot_site, built by default): keys
# and typing graph, a long sweep leaves the page answering and Exit ends it,
# every control is named, and the page opens again with its server gone.
add_test(NAME aurisplot_web_page
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/needs.sh chromium:chromium
          /usr/lib/python3/dist-packages/websocket/__init__.py:python3-websocket --
          /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/web/page_test.py)
set_tests_properties(aurisplot_web_page PROPERTIES
  ENVIRONMENT "PYTHONDONTWRITEBYTECODE=1;AURISPLOT_SITE=${PROJECT_BINARY_DIR}/site"
  TIMEOUT 300)

# One headless Chromium at a time: on two cores, a second browser's load slows
# a service worker's hand-over past the tests' deadlines.
set_tests_properties(aurisplot_web_harness aurisplot_web_site aurisplot_web_page
  PROPERTIES RESOURCE_LOCK chromium)
