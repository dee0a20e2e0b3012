# Build-wide settings and the helpers every folder uses to declare its
# programs and tests.

if(WIN32)
  enable_language(RC)
  # A static build carries its C and C++ runtime inside, so the three
  # deliverables run with nothing but Windows' own DLLs beside them.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800
                          NOMINMAX)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    # The scrambler's masks must come out the same in both builds: keep the
    # x87 unit's excess precision out of single-precision arithmetic.
    add_compile_options(-msse2 -mfpmath=sse)
    set(ZARVO_32BIT ON)
  else()
    set(ZARVO_32BIT OFF)
  endif()
endif()

add_compile_options(-Wall -Wextra)

# GoogleTest, built from the sources Debian ships.
set(GTEST_SRC /usr/src/googletest)
if(EXISTS ${GTEST_SRC}/CMakeLists.txt)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${GTEST_SRC} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  message(FATAL_ERROR "GoogleTest sources not found in ${GTEST_SRC} (apt-get install googletest)")
endif()
include(GoogleTest)

# zarvo_test(name SOURCES ... LIBS ... [TIMEOUT s] [LABELS l...])
# A GoogleTest program. Windows test programs run through Wine (the
# toolchain's emulator); the test command prepares one prefix and one X
# display for the whole run. The i686 build registers them only with
# ZARVO_RUN_32BIT, which the test command sets where Wine can run 32-bit code.
option(ZARVO_RUN_32BIT "Register the i686 build's tests (needs a 32-bit Wine)" OFF)
function(zarvo_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;DEPENDS;ENV;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  if(T_DEPENDS)
    add_dependencies(${name} ${T_DEPENDS})
  endif()
  if(WIN32 AND ZARVO_32BIT AND NOT ZARVO_RUN_32BIT)
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${T_ENV}" LABELS "${T_LABELS}")
endfunction()

# zarvo_win_resources(target DESCRIPTION d PRODUCT p VERSION a.b.c [MANIFEST])
# The version resource (and, for programs, the application manifest) of a
# deliverable. The version numbers also feed the version label of its
# dialogs through <target>_version.h.
function(zarvo_win_resources target)
  cmake_parse_arguments(R "MANIFEST" "DESCRIPTION;PRODUCT;VERSION;INTERNAL;ORIGINAL;FILEVERSION_TEXT" "" ${ARGN})
  string(REPLACE "." ";" parts ${R_VERSION})
  list(GET parts 0 VER_MAJOR)
  list(GET parts 1 VER_MINOR)
  list(GET parts 2 VER_REVISION)
  set(VER_DESCRIPTION ${R_DESCRIPTION})
  set(VER_PRODUCT ${R_PRODUCT})
  set(VER_INTERNAL ${R_INTERNAL})
  set(VER_ORIGINAL ${R_ORIGINAL})
  if(R_FILEVERSION_TEXT)
    set(VER_TEXT ${R_FILEVERSION_TEXT})
  else()
    set(VER_TEXT "${VER_MAJOR}.${VER_MINOR}.${VER_REVISION}")
  endif()
  set(VER_MANIFEST ${R_MANIFEST})
  set(gen ${CMAKE_CURRENT_BINARY_DIR}/${target}_gen)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.h.in ${gen}/${target}_version.h @ONLY)
  target_include_directories(${target} PRIVATE ${gen})
  if(WIN32)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${gen}/${target}_version.rc @ONLY)
    target_sources(${target} PRIVATE ${gen}/${target}_version.rc)
    if(R_MANIFEST)
      set_property(SOURCE ${gen}/${target}_version.rc APPEND PROPERTY OBJECT_DEPENDS
                   ${PROJECT_SOURCE_DIR}/common/app.manifest)
    endif()
  endif()
endfunction()

# zarvo_inspect(target [EXPORTS name...])
# Checks the built file's machine type and imports (and exports) with
# objdump. Runs in both Windows builds, the i686 one included.
function(zarvo_inspect target)
  cmake_parse_arguments(I "" "" "EXPORTS" ${ARGN})
  if(ZARVO_32BIT)
    set(format pei-i386)
  else()
    set(format pei-x86-64)
  endif()
  add_test(NAME inspect_${target}
           COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/check_binary.sh
                   $<TARGET_FILE:${target}> ${MINGW_TRIPLE}-objdump ${format} ${I_EXPORTS})
  set_tests_properties(inspect_${target} PROPERTIES LABELS inspect)
endfunction()
