# One static library per core layer, made from every .cpp file of its folder, so that adding a
# unit needs no edit here. Dependencies point down the layer order only.
function(mirovale_core_layer name)
  cmake_parse_arguments(ARG "" "" "DEPENDS;LIBRARIES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp")
  set(target mirovale_${name})
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${target} PUBLIC ${ARG_DEPENDS} PRIVATE mirovale_warnings ${ARG_LIBRARIES})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${target} INTERFACE ${ARG_DEPENDS})
  endif()
endfunction()

# One GoogleTest program per layer from tests/<layer>/*_test.cpp, registered with CTest. With
# QT its code is compiled as Qt requires (position-independent), which the shared precompiled
# header is not, so it goes without it.
function(mirovale_layer_tests name)
  cmake_parse_arguments(ARG "QT" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp")
  if(NOT sources)
    return()
  endif()
  set(target ${name}_tests)
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}")
  target_link_libraries(${target} PRIVATE ${ARG_DEPENDS} mirovale_warnings GTest::gmock GTest::gtest_main)
  target_compile_definitions(${target} PRIVATE
    MIROVALE_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
    MIROVALE_UPDATE_GOLDEN=$<BOOL:${MIROVALE_UPDATE_GOLDEN}>)
  if(NOT ARG_QT)
    mirovale_test_headers(${target})
  endif()
  add_test(NAME ${name} COMMAND ${target} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# The test programs share one precompiled header of the test framework and the standard
# library: it saves most of the time a test file takes to compile.
set(MIROVALE_TEST_PCH_HEADERS
  <gtest/gtest.h> <gmock/gmock.h> <algorithm> <array> <cstdint> <memory> <numeric> <span>
  <string> <vector>)

function(mirovale_test_headers target)
  get_property(owner GLOBAL PROPERTY MIROVALE_TEST_PCH_OWNER)
  if(owner)
    target_precompile_headers(${target} REUSE_FROM ${owner})
  else()
    target_precompile_headers(${target} PRIVATE ${MIROVALE_TEST_PCH_HEADERS})
    set_property(GLOBAL PROPERTY MIROVALE_TEST_PCH_OWNER ${target})
  endif()
endfunction()
