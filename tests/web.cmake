# The browser build's tests: the engine's and the form's test programs, the
# same as on Linux, run under node (the toolchain's emulator). Each program is
# one test: listing its cases would mean running node at build time.
add_test(NAME aurisplot_engine_tests COMMAND aurisplot_engine_tests)
add_test(NAME aurisplot_form_tests COMMAND aurisplot_form_tests)
add_subdirectory(window)

# The browser tests run with Debian's python3, whose python3-websocket they
# use, in the three engines people open the page in: Blink (chromium, over the
# DevTools protocol), Gecko (firefox-esr, over its own WebDriver BiDi) and
# WebKit (WebKitGTK's MiniBrowser through WebKitWebDriver, on a virtual X
# server).
set(web_tests ${CMAKE_CURRENT_SOURCE_DIR}/web)
set(python_needs /usr/lib/python3/dist-packages/websocket/__init__.py:python3-websocket)
set(engine_needs_chromium chromium:chromium)
set(engine_needs_firefox firefox-esr:firefox-esr)
set(engine_needs_webkit WebKitWebDriver:webkit2gtk-driver Xvfb:xvfb
    /usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser:webkit2gtk-driver)
set(site_environment
  PYTHONDONTWRITEBYTECODE=1
  AURISPLOT_SITE=${PROJECT_BINARY_DIR}/site
  AURISPLOT_SITE_SOURCE=${PROJECT_SOURCE_DIR}/window/web/site
  AURISPLOT_PROGRAM=$<TARGET_FILE:aurisplot>
  AURISPLOT_MAKE_SITE=${PROJECT_SOURCE_DIR}/packaging/web/make_site.cmake
  CMAKE=${CMAKE_COMMAND}
  ZIP_PROGRAM=${AURISPLOT_ZIP})

# The tests' own tools: the static server and the three drivers, which leave
# no process behind.
add_test(NAME aurisplot_web_harness
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/needs.sh ${engine_needs_chromium}
          ${engine_needs_firefox} ${engine_needs_webkit} ${python_needs} --
          /usr/bin/python3 ${web_tests}/harness_test.py)
set_tests_properties(aurisplot_web_harness PROPERTIES
  ENVIRONMENT PYTHONDONTWRITEBYTECODE=1 TIMEOUT 180)

foreach(engine chromium firefox webkit)
  # The site as the build makes it and a host serves it (target aurisplot_site):
  # every file kept offline with its digest, a new version offered once whole
  # and never mixed with the old, two sites on one origin apart, the version
  # named for every file, the ZIP holding the site.
  add_test(NAME aurisplot_web_site_${engine}
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/needs.sh ${engine_needs_${engine}} ${python_needs} --
            /usr/bin/python3 ${web_tests}/site_test.py)
  # The page as a user drives it: keys and typing graph, a long sweep leaves
  # the page answering and Exit ends it, the design's names, Tab out of the
  # window, offline, the meta policy alone, and failures said on the page.
  add_test(NAME aurisplot_web_page_${engine}
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/needs.sh ${engine_needs_${engine}} ${python_needs} --
            /usr/bin/python3 ${web_tests}/page_test.py)
  # One browser of an engine at a time, and two engines at most at once (ctest
  # -j2), whose tests wait for what a user would, not for a time.
  set_tests_properties(aurisplot_web_site_${engine} aurisplot_web_page_${engine} PROPERTIES
    ENVIRONMENT "${site_environment};AURISPLOT_BROWSER=${engine}" TIMEOUT 300
    RESOURCE_LOCK ${engine})
endforeach()
set_tests_properties(aurisplot_web_harness PROPERTIES RESOURCE_LOCK "chromium;firefox;webkit")

# The page on a phone, in Chromium's mobile emulation with touch.
add_test(NAME aurisplot_web_phone
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/needs.sh ${engine_needs_chromium} ${python_needs} --
          /usr/bin/python3 ${web_tests}/phone_test.py)
set_tests_properties(aurisplot_web_phone PROPERTIES
  ENVIRONMENT "${site_environment}" TIMEOUT 120 RESOURCE_LOCK chromium)
