# Each subsystem is one library made of the sources in its folders.
# A folder without sources yet gives an interface library, so links stay valid.
function(add_subsystem_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;LINKS" ${ARGN})
  set(sources "")
  foreach(dir IN LISTS ARG_DIRS)
    file(GLOB found CONFIGURE_DEPENDS
      ${dir}/*.cpp ${dir}/*.h ${dir}/*.ui)
    list(APPEND sources ${found})
  endforeach()
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  set(cpp ${sources})
  list(FILTER cpp INCLUDE REGEX "\\.cpp$")
  if(cpp)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_LINKS})
  endif()
endfunction()

# One test executable per tests/<folder>/test_*.cpp; the other .cpp files of
# the folder are shared fixtures, built once into a library that each test links.
function(add_folder_tests)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/test_*.cpp)
  file(GLOB fixtures CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER fixtures EXCLUDE REGEX "/test_[^/]*\\.cpp$")

  set(common ${folder}_test_common)
  if(fixtures)
    add_library(${common} STATIC ${fixtures})
    set(scope PUBLIC)
  else()
    add_library(${common} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_link_libraries(${common} ${scope} ${ARG_LINKS} Qt5::Test)
  target_include_directories(${common} ${scope} ${CMAKE_CURRENT_SOURCE_DIR})
  # The data folders are the folder's own: other folders that link its
  # fixtures keep theirs.
  set(data_dirs
    TESTDATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
    SHARED_DATA_DIR="${PROJECT_SOURCE_DIR}/data")
  if(fixtures)
    target_compile_definitions(${common} PRIVATE ${data_dirs})
  endif()

  foreach(test_source IN LISTS tests)
    get_filename_component(base ${test_source} NAME_WE)
    set(target ${folder}_${base})
    add_executable(${target} ${test_source})
    target_link_libraries(${target} PRIVATE ${common})
    target_compile_definitions(${target} PRIVATE ${data_dirs})
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
  endforeach()
endfunction()
