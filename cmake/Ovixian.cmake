# One way to add a library, a program, a test executable or a benchmark, so that
# every target gets the same warnings, defines and precompiled header.

# The precompiled header: built once by the target ovix_pch and reused by every
# library, program and benchmark; the test executables reuse ovix_pch_test, the
# same headers and GoogleTest. GCC refuses a precompiled header built with a macro
# that the using file lacks, or with other -fpic/-fpie settings, so the two
# builders carry no definitions beyond the ones every target has (no QT_*_LIB)
# and compile position-independent code as all targets do (Qt asks for it).
# A target whose flags drift from them gets a -Winvalid-pch warning and falls
# back to reading the headers itself.
set(OVIXIAN_PCH_HEADERS
  <QtCore/QString>
  <QtCore/QStringList>
  <QtCore/QVariant>
  <QtCore/QDateTime>
  <QtCore/QHash>
  <QtCore/QList>
  <QtCore/QObject>
  <QtWidgets/QWidget>
  <QtWidgets/QApplication>
  <memory>
  <optional>
  <string>
  <vector>
)

# Qt's moc runs only for a target one of whose files declares a meta-object: without
# one, automoc would still write and compile an empty mocs_compilation.cpp, which
# costs a whole compile with the precompiled header per target. The files looked at
# are the ones automoc itself looks at: the target's sources and the header beside
# each source file.
function(_ovix_moc_only_where_needed target)
  get_target_property(_automoc ${target} AUTOMOC)
  if(NOT _automoc)
    return()
  endif()
  get_target_property(_sources ${target} SOURCES)
  get_target_property(_dir ${target} SOURCE_DIR)
  foreach(_src IN LISTS _sources)
    if(NOT IS_ABSOLUTE "${_src}")
      set(_src "${_dir}/${_src}")
    endif()
    set(_files "${_src}")
    if(_src MATCHES "\\.cpp$")
      string(REGEX REPLACE "\\.cpp$" ".h" _header "${_src}")
      list(APPEND _files "${_header}")
    endif()
    foreach(_file IN LISTS _files)
      if(EXISTS "${_file}" AND _file MATCHES "\\.(cpp|h)$")
        file(STRINGS "${_file}" _meta REGEX "Q_OBJECT|Q_GADGET|Q_NAMESPACE" LIMIT_COUNT 1)
        if(_meta)
          return()
        endif()
      endif()
    endforeach()
  endforeach()
  set_target_properties(${target} PROPERTIES AUTOMOC OFF)
endfunction()

# Automoc's dependency file names the sources it scanned and the folder's
# CMakeLists.txt, but not its settings file, so a source file added to a folder
# (picked up by the glob, the CMakeLists.txt unchanged) would never be scanned
# and its own .moc never written. When a target's list of sources changes, its
# automoc stamp is removed, so that automoc runs again at the next build.
function(_ovix_autogen_sees_new_sources target)
  get_target_property(_automoc ${target} AUTOMOC)
  if(NOT _automoc)
    return()
  endif()
  get_target_property(_sources ${target} SOURCES)
  get_target_property(_bin ${target} BINARY_DIR)
  set(_list "${_bin}/CMakeFiles/${target}_autogen.dir/ovixian_sources.txt")
  set(_old "")
  if(EXISTS "${_list}")
    file(READ "${_list}" _old)
  endif()
  if(NOT _old STREQUAL "${_sources}")
    file(WRITE "${_list}" "${_sources}")
    file(REMOVE "${_bin}/${target}_autogen/timestamp")
  endif()
endfunction()

function(_ovix_after_folder target)
  _ovix_unity(${target})
  _ovix_autogen_sees_new_sources(${target})
endfunction()

# Unity files: the target's .cpp files compiled a few at a time, each batch one
# translation unit that includes them. Every translation unit reads the large
# precompiled header first, which costs seconds of its own, so fewer units build
# the program in about half the time. The batches name their files by paths
# relative to themselves, never absolute ones, so that ccache reuses them in a
# clone in another folder. A file that includes its own moc output stays alone
# (automoc must see it as a source), as do a file with compile definitions or
# options of its own and any file a target lists with ovix_unity_exclude(). OVIXIAN_UNITY=OFF compiles every file alone.
option(OVIXIAN_UNITY "Compile each target's sources in batches" ON)
set(OVIXIAN_UNITY_BATCH 8 CACHE STRING "Source files per unity batch")

function(ovix_unity_exclude target)
  set_property(TARGET ${target} APPEND PROPERTY OVIXIAN_UNITY_EXCLUDE ${ARGN})
endfunction()

function(_ovix_unity target)
  if(NOT OVIXIAN_UNITY)
    return()
  endif()
  get_target_property(_sources ${target} SOURCES)
  get_target_property(_dir ${target} SOURCE_DIR)
  get_target_property(_excluded ${target} OVIXIAN_UNITY_EXCLUDE)
  set(_batchable)
  foreach(_src IN LISTS _sources)
    if(NOT _src MATCHES "\\.cpp$")
      continue()
    endif()
    if(NOT IS_ABSOLUTE "${_src}")
      set(_src "${_dir}/${_src}")
    endif()
    get_filename_component(_name "${_src}" NAME)
    if(NOT EXISTS "${_src}" OR _name IN_LIST _excluded)
      continue()
    endif()
    # A file with definitions or options of its own is compiled alone.
    get_source_file_property(_defs "${_src}" TARGET_DIRECTORY ${target} COMPILE_DEFINITIONS)
    get_source_file_property(_opts "${_src}" TARGET_DIRECTORY ${target} COMPILE_OPTIONS)
    if(_defs OR _opts)
      continue()
    endif()
    file(STRINGS "${_src}" _ownmoc REGEX "^#include \"[^\"]*\\.moc\"" LIMIT_COUNT 1)
    if(_ownmoc)
      continue()
    endif()
    list(APPEND _batchable "${_src}")
  endforeach()
  list(LENGTH _batchable _count)
  if(_count LESS 2)
    return()
  endif()
  list(SORT _batchable)
  set(_out "${CMAKE_CURRENT_BINARY_DIR}/${target}_unity")
  set(_index 0)
  set(_in_batch 0)
  set(_content "")
  set(_units)
  foreach(_src IN LISTS _batchable)
    file(RELATIVE_PATH _rel "${_out}" "${_src}")
    string(APPEND _content "#include \"${_rel}\"\n")
    math(EXPR _in_batch "${_in_batch} + 1")
    if(_in_batch EQUAL OVIXIAN_UNITY_BATCH)
      file(CONFIGURE OUTPUT "${_out}/unity_${_index}.cpp" CONTENT "${_content}")
      list(APPEND _units "${_out}/unity_${_index}.cpp")
      math(EXPR _index "${_index} + 1")
      set(_in_batch 0)
      set(_content "")
    endif()
  endforeach()
  if(_in_batch GREATER 0)
    file(CONFIGURE OUTPUT "${_out}/unity_${_index}.cpp" CONTENT "${_content}")
    list(APPEND _units "${_out}/unity_${_index}.cpp")
  endif()
  set_source_files_properties(${_batchable} TARGET_DIRECTORY ${target}
    PROPERTIES HEADER_FILE_ONLY ON)
  # In a batch every file is an included one, so GCC would warn of each test
  # fixture of an anonymous namespace used as a base class, which is sound in
  # the file's own unit.
  set_source_files_properties(${_units} TARGET_DIRECTORY ${target}
    PROPERTIES COMPILE_OPTIONS -Wno-subobject-linkage)
  target_sources(${target} PRIVATE ${_units})
endfunction()

# The debug build's debug information. Line tables and function names (-g1) give
# a backtrace with files and lines, at two thirds of the compile time of full
# information (-g): every unit writes the debug information of all it reads from
# the precompiled header. -DOVIXIAN_DEBUG_INFO=-g gives full information (locals
# and types) for a debugging session.
set(OVIXIAN_DEBUG_INFO -g1 CACHE STRING "Debug information of the Debug build")

# The options every target compiles with. The test build keeps its assertions;
# the debug information goes to .dwo files beside the objects (split DWARF), so
# that the linker neither reads nor copies it into every test executable. The project's folder is written as "." into the debug
# information, which also lets ccache reuse objects built in another clone.
function(ovix_setup_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra
    "-fdebug-prefix-map=${PROJECT_SOURCE_DIR}=."
    "$<$<CONFIG:Debug>:-gsplit-dwarf;${OVIXIAN_DEBUG_INFO}>")
  target_compile_definitions(${target} PRIVATE
    $<$<CONFIG:Debug>:_GLIBCXX_ASSERTIONS>)
  get_target_property(_type ${target} TYPE)
  if(NOT _type STREQUAL "INTERFACE_LIBRARY")
    _ovix_moc_only_where_needed(${target})
    if(NOT target MATCHES "^ovix_pch")
      # After the folder's CMakeLists.txt, so that sources added later are batched too.
      cmake_language(EVAL CODE "cmake_language(DEFER CALL _ovix_after_folder [[${target}]])")
    endif()
  endif()
  get_target_property(_pch ${target} PRECOMPILE_HEADERS)
  get_target_property(_reuse ${target} PRECOMPILE_HEADERS_REUSE_FROM)
  if(NOT _type STREQUAL "INTERFACE_LIBRARY" AND NOT _pch AND NOT _reuse
     AND NOT target MATCHES "^ovix_pch")
    target_precompile_headers(${target} REUSE_FROM ovix_pch)
  endif()
endfunction()

# The builders of the two precompiled headers: a library of one empty file each,
# with Qt's include folders but none of its definitions.
function(_ovix_add_pch name)
  set(_src ${CMAKE_BINARY_DIR}/pch/${name}.cpp)
  file(CONFIGURE OUTPUT ${_src} CONTENT "// Builds the precompiled header ${name}.\n")
  add_library(${name} STATIC ${_src})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  foreach(_qt Core Gui Widgets)
    target_include_directories(${name} SYSTEM PRIVATE
      $<TARGET_PROPERTY:Qt6::${_qt},INTERFACE_INCLUDE_DIRECTORIES>)
  endforeach()
  # -fPIC, as Qt gives every target that links it, and Qt's one definition outside
  # the debug build.
  set_property(TARGET ${name} PROPERTY POSITION_INDEPENDENT_CODE ON)
  # Built here every time, never taken from ccache: a precompiled header that ccache
  # copied from a build in another folder made GCC use 24 GB and two minutes for
  # a file it compiles in one second with its own header.
  set_property(TARGET ${name} PROPERTY CXX_COMPILER_LAUNCHER "")
  target_compile_definitions(${name} PRIVATE $<$<NOT:$<CONFIG:Debug>>:QT_NO_DEBUG>)
  ovix_setup_target(${name})
  target_precompile_headers(${name} PRIVATE ${ARGN})
  # The checksum that ccache hashes in place of the header (see PchChecksum.cmake),
  # written before the header is compiled, so before any file reads it.
  set(_dir ${CMAKE_CURRENT_BINARY_DIR}/CMakeFiles/${name}.dir)
  set(_sum ${_dir}/cmake_pch.hxx.gch.sum)
  set(_incs "$<FILTER:$<TARGET_PROPERTY:${name},INCLUDE_DIRECTORIES>,EXCLUDE,^/usr/include/?$>")
  set(_defs "$<TARGET_PROPERTY:${name},COMPILE_DEFINITIONS>")
  add_custom_command(OUTPUT ${_sum}
    COMMAND ${CMAKE_COMMAND} -DCXX=${CMAKE_CXX_COMPILER} -DHEADER=${_dir}/cmake_pch.hxx
            -DSUM=${_sum} -DDEPFILE=${_sum}.d
            "-DFLAGS=-std=gnu++${CMAKE_CXX_STANDARD}|-fPIC|$<$<BOOL:${_incs}>:-isystem|$<JOIN:${_incs},|-isystem|>>|$<$<BOOL:${_defs}>:-D$<JOIN:${_defs},|-D>>"
            -P ${PROJECT_SOURCE_DIR}/cmake/PchChecksum.cmake
    DEPFILE ${_sum}.d
    COMMENT "Checksum of the precompiled header ${name}"
    VERBATIM)
  target_sources(${name} PRIVATE ${_sum})
endfunction()
_ovix_add_pch(ovix_pch ${OVIXIAN_PCH_HEADERS})

# Qt's test library defines the absolute source and build folders of every test
# target (for QFINDTESTDATA, which the tests do not use: they find their files
# through OVIXIAN_TEST_SOURCE). Those paths would keep ccache from reusing any
# test object built in another clone, so only its library macro is kept.
if(TARGET Qt6::Test)
  set_property(TARGET Qt6::Test PROPERTY INTERFACE_COMPILE_DEFINITIONS QT_TESTLIB_LIB)
endif()

# ovix_add_library(name [WIDGETS] SOURCES ... [DEPENDS ...])
# The sources default to every .cpp/.h file of the calling folder. WIDGETS is
# kept for the folders that say it; every library shares one precompiled header.
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
endfunction()

# ovix_add_test(name [SOURCES ...] DEPENDS ...)
# One test executable per source folder; every test case is registered with CTest.
function(ovix_add_test name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPENDS" ${ARGN})
  if(NOT A_SOURCES)
    file(GLOB A_SOURCES CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  endif()
  if(NOT TARGET ovix_pch_test)
    _ovix_add_pch(ovix_pch_test ${OVIXIAN_PCH_HEADERS} <gtest/gtest.h>)
    # The test executables' definitions from GoogleTest (GTEST_HAS_PTHREAD).
    target_link_libraries(ovix_pch_test PRIVATE GTest::gtest)
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ovix_testsupport ${A_DEPENDS})
  target_precompile_headers(${name} REUSE_FROM ovix_pch_test)
  ovix_setup_target(${name})
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
