# Tests are Windows programs run under 64-bit Wine in a throwaway prefix inside
# the build tree. One ctest fixture prepares the prefix and keeps its server
# alive for the whole run; another ends the server afterwards.
if(NOT PURVEX_TESTS)
  return()
endif()

set(PURVEX_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
configure_file(${CMAKE_SOURCE_DIR}/scripts/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh
               @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)

add_test(NAME wine_prefix_up COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefix.sh up ${PURVEX_WINEPREFIX})
add_test(NAME wine_prefix_down COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefix.sh down ${PURVEX_WINEPREFIX})
set_tests_properties(wine_prefix_up PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
set_tests_properties(wine_prefix_down PROPERTIES FIXTURES_CLEANUP wine)

# GoogleTest from Debian's sources, built with the cross compiler.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# purvex_add_gtest(<name> SOURCES ... [LIBS ...] [TIMEOUT s] [GUI])
# One ctest entry per TEST()/TEST_F() found in the sources; every entry runs in
# the shared prefix. GUI tests need a display (scripts/test.sh starts Xvfb).
function(purvex_add_gtest name)
  cmake_parse_arguments(T "GUI" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE gtest gtest_main ${T_LIBS})
  gtest_add_tests(TARGET ${name} SOURCES ${T_SOURCES} TEST_LIST found)
  set_tests_properties(${found} PROPERTIES
    FIXTURES_REQUIRED wine
    TIMEOUT ${T_TIMEOUT}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  if(T_GUI)
    set_tests_properties(${found} PROPERTIES RESOURCE_LOCK display)
  endif()
endfunction()
