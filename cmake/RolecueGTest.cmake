# GoogleTest: the installed package for the native build, Debian's sources
# (package googletest) compiled with the cross compiler for the Windows build.
if(CMAKE_CROSSCOMPILING OR WIN32)
  set(ROLECUE_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest sources")
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${ROLECUE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# rolecue_add_test(NAME SOURCES src... [LIBS lib...] [WINE_ONLY])
# One executable per area. Natively every TEST becomes its own ctest test;
# in the Windows build the executable is one ctest test, run under Wine
# through CMAKE_CROSSCOMPILING_EMULATOR (one Wine start per suite).
function(rolecue_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gtest)
  target_compile_definitions(${name} PRIVATE
    ROLECUE_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT ${T_TIMEOUT})
  endif()
endfunction()
