# One way to add a library, a program, a test executable or a benchmark, so that
# every target gets the same warnings, defines and precompiled headers.

set(OVIXIAN_PCH_HEADERS
  <QtCore/QString>
  <QtCore/QStringList>
  <QtCore/QVariant>
  <QtCore/QDateTime>
  <QtCore/QHash>
  <QtCore/QList>
  <QtCore/QObject>
  <memory>
  <optional>
  <string>
  <vector>
)
set(OVIXIAN_PCH_WIDGETS_HEADERS ${OVIXIAN_PCH_HEADERS}
  <QtWidgets/QWidget>
  <QtWidgets/QApplication>
)

function(ovix_setup_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  target_compile_definitions(${target} PRIVATE
    $<$<CONFIG:Debug>:_GLIBCXX_ASSERTIONS>)
endfunction()

# ovix_add_library(name [WIDGETS] SOURCES ... [DEPENDS ...])
# The sources default to every .cpp/.h file of the calling folder.
function(ovix_add_library name)
  cmake_parse_arguments(A "WIDGETS" "" "SOURCES;DEPENDS" ${ARGN})
  if(NOT A_SOURCES)
    file(GLOB A_SOURCES CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  endif()
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${A_DEPENDS})
  ovix_setup_target(${name})
  if(A_WIDGETS)
    target_precompile_headers(${name} PRIVATE ${OVIXIAN_PCH_WIDGETS_HEADERS})
  else()
    target_precompile_headers(${name} PRIVATE ${OVIXIAN_PCH_HEADERS})
  endif()
endfunction()

# ovix_add_test(name [SOURCES ...] DEPENDS ...)
# One test executable per source folder; every test case is registered with CTest.
function(ovix_add_test name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPENDS" ${ARGN})
  if(NOT A_SOURCES)
    file(GLOB A_SOURCES CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ovix_testsupport ${A_DEPENDS})
  ovix_setup_target(${name})
  target_precompile_headers(${name} PRIVATE ${OVIXIAN_PCH_WIDGETS_HEADERS} <gtest/gtest.h>)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1;OVIXIAN_TEST_SOURCE=${CMAKE_CURRENT_SOURCE_DIR}"
               TIMEOUT 120)
endfunction()

# ovix_add_bench(name SOURCES ... DEPENDS ...)
function(ovix_add_bench name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE benchmark::benchmark ${A_DEPENDS})
  ovix_setup_target(${name})
endfunction()

# Adds every child folder that has a CMakeLists.txt, in name order.
function(ovix_add_subdirs)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
