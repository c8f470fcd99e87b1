# One library per folder: its sources are the folder's *.cpp files, its tests
# the folder's tests/*.cpp files, linked into one test binary labelled with the
# folder's name (so `ctest -L <folder>` runs exactly that folder's tests).

# kesr_library(<target> [SHARED|STATIC] [OUTPUT_NAME <name>] [DEPS <targets...>])
function(kesr_library target)
  cmake_parse_arguments(ARG "SHARED;STATIC" "OUTPUT_NAME" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(ARG_SHARED)
    add_library(${target} SHARED ${sources})
  else()
    add_library(${target} STATIC ${sources})
  endif()
  target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  if(ARG_OUTPUT_NAME)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${ARG_OUTPUT_NAME})
  endif()
endfunction()

# kesr_tests(<label> DEPS <targets...>)
function(kesr_tests label)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
  if(NOT test_sources)
    return()
  endif()
  set(test_target ${label}_tests)
  add_executable(${test_target} ${test_sources})
  target_link_libraries(${test_target} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  # Shared test fixtures: the platform's form fixture, and the folder's own.
  target_include_directories(${test_target} PRIVATE ${PROJECT_SOURCE_DIR}/platform/tests ${CMAKE_CURRENT_SOURCE_DIR}/tests)
  target_compile_definitions(${test_target} PRIVATE
    KESR_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/tests/data"
    KESR_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    KESR_OUTPUT_DIR="${KESR_OUTPUT_DIR}")
  gtest_discover_tests(${test_target}
    PROPERTIES LABELS ${label}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DISCOVERY_TIMEOUT 120)
endfunction()
