# fd_subsystem(NAME [DIR folder] LIBS <imported libs> DEPS <other subsystems>)
# Makes the object library fd_NAME from the files directly in src/NAME (or
# src/DIR; a subfolder is a subsystem of its own) and an interface target
# fd_NAME_usage carrying its include path and link needs. DEPS names only
# subsystems below this one (scripts/check-layers.py holds the order).
set(FD_SUBSYSTEMS "")
function(fd_subsystem name)
  cmake_parse_arguments(A "" "DIR" "LIBS;DEPS" ${ARGN})
  if(NOT A_DIR)
    set(A_DIR ${name})
  endif()
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/src/${A_DIR}/*.cpp
       ${CMAKE_SOURCE_DIR}/src/${A_DIR}/*.h
       ${CMAKE_SOURCE_DIR}/src/${A_DIR}/*.qrc)
  add_library(fd_${name}_usage INTERFACE)
  target_include_directories(fd_${name}_usage INTERFACE ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(fd_${name}_usage INTERFACE ${A_LIBS})
  foreach(dep IN LISTS A_DEPS)
    target_link_libraries(fd_${name}_usage INTERFACE fd_${dep}_usage)
  endforeach()
  if(NOT sources MATCHES "\\.cpp")
    return()
  endif()
  add_library(fd_${name} OBJECT ${sources})
  target_link_libraries(fd_${name} PUBLIC fd_${name}_usage)
  set(FD_SUBSYSTEMS ${FD_SUBSYSTEMS} ${name} PARENT_SCOPE)
endfunction()

# fd_test(NAME [LEAK_CHECK] [SUBSYSTEMS a b ...]) builds tests/NAME/*.cpp
# into test_NAME. With SUBSYSTEMS it links only those object libraries (for
# the lower subsystems that need no widgets of the designer); else the core
# library, whose classes and presets the test's main registers. LEAK_CHECK
# has the sanitizer build fail the test on a leak, less what tests/lsan.supp
# lays at the system libraries' door; it is for the folders below the
# designer's widgets.
function(fd_test name)
  cmake_parse_arguments(A "LEAK_CHECK" "" "SUBSYSTEMS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${name}/*.cpp
       ${CMAKE_SOURCE_DIR}/tests/${name}/*.h ${CMAKE_SOURCE_DIR}/tests/${name}/*.qrc)
  add_executable(test_${name} ${sources} ${CMAKE_SOURCE_DIR}/tests/support/TestMain.cpp)
  target_include_directories(test_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  if(A_SUBSYSTEMS)
    foreach(sub IN LISTS A_SUBSYSTEMS)
      if(TARGET fd_${sub})
        target_link_libraries(test_${name} PRIVATE fd_${sub})
      else()
        target_link_libraries(test_${name} PRIVATE fd_${sub}_usage)
      endif()
    endforeach()
  else()
    # Its main registers the designer's classes and presets once, as the
    # programs do.
    target_link_libraries(test_${name} PRIVATE designer_core)
    target_compile_definitions(test_${name} PRIVATE FD_TEST_REGISTRIES)
  endif()
  target_link_libraries(test_${name} PRIVATE GTest::gtest Qt6::Widgets Qt6::Test)
  add_test(NAME ${name} COMMAND test_${name})
  if(A_LEAK_CHECK)
    set(sanitizer_env "ASAN_OPTIONS=detect_leaks=1"
                      "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp")
  else()
    set(sanitizer_env "ASAN_OPTIONS=detect_leaks=0")
  endif()
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${sanitizer_env}"
    TIMEOUT 600)
endfunction()
