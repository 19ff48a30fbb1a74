# The Windows build, as a sub-build with the MinGW toolchain, and the wine and e2e tiers that run it.
include(ExternalProject)
set(PATHGRAB_WINDOWS_BINARY_DIR ${CMAKE_BINARY_DIR}/windows)
ExternalProject_Add(windows
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${PATHGRAB_WINDOWS_BINARY_DIR}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-i686.cmake
    -DCMAKE_BUILD_TYPE=MinSizeRel
    -DPATHGRAB_WERROR=${PATHGRAB_WERROR}
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  USES_TERMINAL_BUILD ON)

set(WIN_BIN ${PATHGRAB_WINDOWS_BINARY_DIR})
set(WIN_TESTS ${PATHGRAB_WINDOWS_BINARY_DIR}/tests)
set(HARNESS ${CMAKE_CURRENT_SOURCE_DIR}/wine/harness.sh)
set(WINE_STATE ${CMAKE_BINARY_DIR}/wine-rig)
# Pictures the e2e tier takes of the menu, for people to look at.
set(E2E_ARTIFACTS ${CMAKE_BINARY_DIR}/e2e-artifacts)

add_test(NAME wine.rig.start COMMAND ${HARNESS} start ${WINE_STATE} ${WIN_TESTS}/keepalive.exe)
set_tests_properties(wine.rig.start PROPERTIES FIXTURES_SETUP wine_rig LABELS "wine;e2e")
add_test(NAME wine.rig.stop COMMAND ${HARNESS} stop ${WINE_STATE})
set_tests_properties(wine.rig.stop PROPERTIES FIXTURES_CLEANUP wine_rig LABELS "wine;e2e")

# pathgrab_wine_test(NAME <name> EXE <exe> LABEL <label> [ARGS ...])
function(pathgrab_wine_test)
  cmake_parse_arguments(T "" "NAME;EXE;LABEL" "ARGS" ${ARGN})
  add_test(NAME ${T_NAME} COMMAND ${HARNESS} run ${WINE_STATE} ${T_EXE} ${T_ARGS})
  # Tests that use the desktop (clipboard, foreground, menus) take turns.
  set_tests_properties(${T_NAME} PROPERTIES FIXTURES_REQUIRED wine_rig LABELS ${T_LABEL}
    RESOURCE_LOCK wine_desktop
    ENVIRONMENT "PATHGRAB_EXE=${WIN_BIN}/app/Pathgrab.exe;PATHGRAB_ARTIFACTS=${E2E_ARTIFACTS}")
endfunction()

pathgrab_wine_test(NAME wine.unit EXE ${WIN_TESTS}/unit_tests.exe LABEL wine ARGS --gtest_brief=1)
pathgrab_wine_test(NAME wine.win32 EXE ${WIN_TESTS}/win32_tests.exe LABEL wine ARGS --gtest_brief=1)
# One CTest entry per e2e suite, so that a failure names its suite. The suites are read from the
# sources; editing one re-runs the configure step, so a new suite is registered at the next build.
file(GLOB E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/e2e/*.cpp)
set(E2E_SUITES)
foreach(src ${E2E_SOURCES})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${src})
  file(STRINGS ${src} lines REGEX "^[ \t]*TEST(_F|_P)?[ \t]*\\([ \t]*[A-Za-z0-9_]+")
  foreach(line ${lines})
    string(REGEX REPLACE "^[ \t]*TEST(_F|_P)?[ \t]*\\([ \t]*([A-Za-z0-9_]+).*" "\\2" suite "${line}")
    list(APPEND E2E_SUITES ${suite})
  endforeach()
endforeach()
list(REMOVE_DUPLICATES E2E_SUITES)
foreach(suite ${E2E_SUITES})
  # A parameterised suite runs as <instantiation>/<suite>.
  pathgrab_wine_test(NAME e2e.${suite} EXE ${WIN_TESTS}/e2e_tests.exe LABEL e2e
    ARGS --gtest_brief=1 "--gtest_filter=${suite}.*:*/${suite}.*")
endforeach()
# The driver writes BMP (all that plain GDI offers); PNG is what people and the README can show.
add_test(NAME e2e.artifacts COMMAND sh -c
  "for f in \"$0\"/*.bmp; do [ -f \"$f\" ] || continue; convert \"$f\" \"\${f%.bmp}.png\" && rm \"$f\" || exit 1; done"
  ${E2E_ARTIFACTS})
set_tests_properties(e2e.artifacts PROPERTIES LABELS e2e DEPENDS e2e.MenuScreenshot)
