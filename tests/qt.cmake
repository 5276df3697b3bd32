# The Linux build's tests.
gtest_discover_tests(aurisplot_engine_tests)
gtest_discover_tests(aurisplot_form_tests)

# A locale that writes decimal commas, where C's number conversions misread
# "0.5". Tests that run under it get it from here, made from the system's
# locale sources (package locales), so that they depend neither on the locales
# the machine has generated nor on the caller's own.
set(comma_locale_dir ${CMAKE_CURRENT_BINARY_DIR}/locale)
file(MAKE_DIRECTORY ${comma_locale_dir})
add_test(NAME aurisplot_comma_locale
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/needs.sh
          localedef:libc-bin /usr/share/i18n/locales/de_DE:locales --
          localedef -i de_DE -f UTF-8 ${comma_locale_dir}/de_DE.UTF-8)
set_tests_properties(aurisplot_comma_locale PROPERTIES FIXTURES_SETUP comma_locale)
set(comma_locale_environment LOCPATH=${comma_locale_dir} LC_ALL=de_DE.UTF-8)
set(comma_locale_environment ${comma_locale_environment} PARENT_SCOPE)

add_subdirectory(window)

if(AURISPLOT_FUZZ)
  add_subdirectory(fuzz)
endif()

add_subdirectory(wayland)
add_test(NAME aurisplot_no_desktop
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/no_desktop.sh $<TARGET_FILE:aurisplot> ${PROJECT_SOURCE_DIR})

# What the install and the Debian package put on a desktop, checked on the
# ordinary build (a sanitizer build is never packaged); the program's
# hardening only where the build gives it.
if(NOT CMAKE_CXX_FLAGS MATCHES "sanitize")
  add_test(NAME aurisplot_install_and_package
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/packaging/check_install.sh
            ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR} $<IF:${AURISPLOT_HARDENED},hardened,plain>)
  set_tests_properties(aurisplot_install_and_package PROPERTIES TIMEOUT 180 RUN_SERIAL TRUE)
endif()

# A packager's build, which has no test libraries: it configures, builds and
# installs without them. It builds the program again, on both cores.
if(NOT CMAKE_CXX_FLAGS MATCHES "sanitize")
  add_test(NAME aurisplot_packager_build
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/packaging/packager_build.sh ${PROJECT_SOURCE_DIR})
  set_tests_properties(aurisplot_packager_build PROPERTIES TIMEOUT 900 RUN_SERIAL TRUE)
endif()
