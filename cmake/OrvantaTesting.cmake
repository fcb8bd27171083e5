# GoogleTest for both builds: the native build uses the system package, the Windows
# build compiles Debian's googletest sources with the cross compiler.
if(WIN32)
  set(ORVANTA_GTEST_SOURCE /usr/src/googletest CACHE PATH "googletest sources for the cross build")
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${ORVANTA_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # gtest's own sources are not ours to keep warning-free.
  foreach(gtest_target gtest gtest_main)
    target_compile_options(${gtest_target} PRIVATE -w)
  endforeach()
else()
  find_package(GTest REQUIRED)
endif()

# Every suite writes a JUnit-style report into one folder; the test script sums them.
set(ORVANTA_TEST_REPORTS ${CMAKE_BINARY_DIR}/test-reports)

# orvanta_add_gtest(NAME SOURCES ... LIBRARIES ... [LABELS ...])
function(orvanta_add_gtest name)
  cmake_parse_arguments(arg "" "" "SOURCES;LIBRARIES;LABELS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} GTest::gtest_main GTest::gtest)
  # Relative, so that the Windows build under Wine finds the same folder.
  file(RELATIVE_PATH report ${CMAKE_CURRENT_BINARY_DIR} ${ORVANTA_TEST_REPORTS}/${name}.xml)
  add_test(NAME ${name}
           COMMAND ${name} --gtest_output=xml:${report}
           WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  if(arg_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${arg_LABELS}")
  endif()
endfunction()
