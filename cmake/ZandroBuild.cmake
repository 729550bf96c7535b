# Compiler settings shared by every target, and the helper that registers a test.

if(MSVC)
  add_compile_options(/W4 /utf-8)
else()
  add_compile_options(-Wall -Wextra)
endif()

if(ZANDRO_WINDOWS)
  # Windows 7 API level; wide Win32 entry points; printf that knows %Lg and %I64d.
  add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 UNICODE _UNICODE
                          __USE_MINGW_ANSI_STDIO=1 NOMINMAX)
  if(MINGW)
    # One self-contained .exe: no libstdc++, libgcc or winpthread DLLs beside it.
    add_link_options(-static -static-libgcc -static-libstdc++)
    # The same commit gives the same bytes wherever it is built: no build paths in the
    # code, no link time in the PE header, and no symbol table in optimised builds.
    add_compile_options(
      "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=>"
      "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>")
    add_link_options(-Wl,--no-insert-timestamp "$<$<CONFIG:Release>:-s>")
    # Sections on whole pages of the file, as they are in memory: Wine then maps the
    # program page by page as it is used. With the linker's 512 bytes it reads the whole
    # file into memory, pictures and sounds included. Every program gets it, the bench's
    # yardstick too, so that their memory compares fairly.
    add_link_options(-Wl,--file-alignment,4096)
  endif()
else()
  option(ZANDRO_SANITIZE "Build host code with AddressSanitizer and UBSan" ON)
  if(ZANDRO_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()

# GoogleTest from Debian's sources, built by whichever compiler builds this tree. On
# another machine point ZANDRO_GTEST_DIR at a GoogleTest source tree, or go without tests.
set(ZANDRO_GTEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
if(EXISTS ${ZANDRO_GTEST_DIR}/CMakeLists.txt)
  set(ZANDRO_TESTS ON)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${ZANDRO_GTEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # GoogleTest's own sources are not ours to keep warning-free.
  foreach(t gtest gtest_main gmock gmock_main)
    if(TARGET ${t})
      target_compile_options(${t} PRIVATE $<IF:$<CXX_COMPILER_ID:MSVC>,/w,-w>)
    endif()
  endforeach()
else()
  set(ZANDRO_TESTS OFF)
  message(STATUS "No GoogleTest at ${ZANDRO_GTEST_DIR}: the tests are not built")
endif()

# Each test executable writes a JUnit-style report named after it, which scripts/test
# adds up into its closing line.
set(ZANDRO_REPORT_DIR ${CMAKE_BINARY_DIR}/reports)

# zandro_add_test(NAME name SOURCES ... [LIBS ...] [TIMEOUT s])
# One CTest entry per executable: under Wine every start costs time.
function(zandro_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
  if(MINGW)
    # Test programs are console programs, so their output reaches CTest.
    target_link_options(${T_NAME} PRIVATE -mconsole)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  set(report ${ZANDRO_REPORT_DIR}/${T_NAME}.xml)
  if(ZANDRO_WINDOWS AND CMAKE_CROSSCOMPILING)
    set(report Z:${report}) # Wine's drive Z: is the Unix root
  endif()
  set_tests_properties(${T_NAME} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "GTEST_OUTPUT=xml:${report}")
endfunction()

# The one version number of the program, the project's, as a header for code and
# resources: ZANDRO_VERSION ("1.0") and its parts.
set(ZANDRO_VERSION_PATCH ${PROJECT_VERSION_PATCH})
if(NOT ZANDRO_VERSION_PATCH)
  set(ZANDRO_VERSION_PATCH 0)
endif()

# What the program, its version resource, the installer and the winget manifests all say
# alike, spelled here once: the name, the publisher, the copyright line, the table's
# window title (by which the installer also finds a running game) and the installer's
# exit codes. 0, 1 and 2 are the installer's own (installed; cancelled by the player; a
# file that cannot be written): a running game ends it with 2 as well, and a newer
# version installed with 3.
set(ZANDRO_PRODUCT "Zandro++")
set(ZANDRO_PUBLISHER "the Zandro++ developers")
set(ZANDRO_COPYRIGHT_NOTICE "(C) 2026 ${ZANDRO_PUBLISHER}")
set(ZANDRO_COPYRIGHT "Copyright ${ZANDRO_COPYRIGHT_NOTICE}")
set(ZANDRO_TABLE_TITLE "${ZANDRO_PRODUCT} ${ZANDRO_COPYRIGHT_NOTICE}")
set(ZANDRO_SETUP_INSTALLED 0)
set(ZANDRO_SETUP_CANCELLED 1)
set(ZANDRO_SETUP_IN_USE 2)
set(ZANDRO_SETUP_NEWER_INSTALLED 3)

configure_file(${PROJECT_SOURCE_DIR}/release/ZandroVersion.h.in
               ${CMAKE_BINARY_DIR}/generated/ZandroVersion.h @ONLY)
# The same for the installer's script, and for release/winget-manifests, which reads it.
set(ZANDRO_FACTS_NSH ${CMAKE_BINARY_DIR}/generated/ZandroFacts.nsh)
configure_file(${PROJECT_SOURCE_DIR}/release/ZandroFacts.nsh.in ${ZANDRO_FACTS_NSH} @ONLY)
add_library(zandro_version INTERFACE)
target_include_directories(zandro_version INTERFACE ${CMAKE_BINARY_DIR}/generated)

# zandro_add_version_info(target "file description"): the version resource that the
# file's properties show, and the application manifest, built into a Windows program.
function(zandro_add_version_info target description)
  if(NOT ZANDRO_WINDOWS)
    return()
  endif()
  set(ZANDRO_FILE_DESCRIPTION "${description}")
  get_target_property(ZANDRO_INTERNAL_NAME ${target} OUTPUT_NAME)
  if(NOT ZANDRO_INTERNAL_NAME)
    set(ZANDRO_INTERNAL_NAME ${target})
  endif()
  set(ZANDRO_FILE_NAME ${ZANDRO_INTERNAL_NAME}.exe)
  set(ZANDRO_MANIFEST ${PROJECT_SOURCE_DIR}/release/Zandro.manifest)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/release/VersionInfo.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  target_link_libraries(${target} PRIVATE zandro_version)
  if(MSVC)
    target_link_options(${target} PRIVATE /MANIFEST:NO) # ours is the only one
  endif()
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS
    "${ZANDRO_MANIFEST};${CMAKE_BINARY_DIR}/generated/ZandroVersion.h")
endfunction()
