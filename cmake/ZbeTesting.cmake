# zbe_add_gtest(<name> SOURCES ... [LIBS ...] [LABELS ...])
# One GoogleTest executable per module; its cases are registered with CTest one by one.
# Test programs live in build/tests/bin, apart from the program folder build/bin.
include(GoogleTest)
find_package(GTest REQUIRED)

function(zbe_add_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    ZBE_REALDATA_DIR="${ZBE_REALDATA_DIR}"
    ZBE_BIN_DIR="${ZBE_BIN_DIR}"
    ZBE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
  set(labels ${T_LABELS})
  if(NOT labels)
    set(labels unit)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    TEST_LIST ${name}_TESTS
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  # The discovery script cannot pass a list of labels through; set them on the discovered
  # tests in a script that CTest reads after the discovery's own.
  set(label_script ${CMAKE_CURRENT_BINARY_DIR}/${name}_labels.cmake)
  file(WRITE ${label_script}
    "foreach(t IN LISTS ${name}_TESTS)\n"
    "  set_tests_properties(\"\${t}\" PROPERTIES LABELS \"${labels}\")\n"
    "endforeach()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${label_script})
endfunction()
