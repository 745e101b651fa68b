# Helpers shared by every area's CMakeLists.txt.
#
#   kel_target_defaults(<target>)
#       C++20, warnings (errors with KEL_WERROR), the source root on the
#       include path and program texts compiled to Windows-1252.
#   kel_add_test(<name> SOURCES <files...> [LIBS <targets...>] [WINDOWS_ONLY])
#       A GoogleTest executable registered with ctest; in the Windows build it
#       runs under Wine in the build's own prefix. A WINDOWS_ONLY test may open
#       windows and runs alone on the Wine desktop; a test of both builds opens
#       none and runs beside the others. A source named in
#       KEL_TEST_SHARED_SOURCES (tests/CMakeLists.txt) is compiled once for
#       every test that lists it.
#   kel_check_unlisted_areas(<folder> <areas>)
#       Fails when a folder one or two levels below <folder> has a
#       CMakeLists.txt but is neither in <areas> nor inside a listed
#       top-level folder (which adds its own subfolders).
#   kel_add_fuzz(<name> SOURCES <files...> [LIBS <targets...>] CORPUS <folder>
#                [MAX_LEN <bytes>])
#       A libFuzzer target (only in a tree configured with clang and
#       -DKEL_FUZZ=ON, see tools/fuzz.sh), registered with ctest as a pass of
#       KEL_FUZZ_SECONDS seconds over a working copy of the seed corpus
#       (ctest label "fuzz"); the target fuzz_targets builds every one.
#       Each links tests/support/FuzzSanitizerOptions.cpp (its sanitizer
#       defaults).
#   kel_add_benchmark(<name> SOURCES <files...> [LIBS <targets...>])
#       A Google Benchmark program (native build only; measure in a Release
#       tree configured with -DKEL_SANITIZE=OFF, see tools/bench.sh).

set(KEL_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)

# The test command builds with KEL_WERROR: a warning in the project's own
# code fails the build (third-party code is built without these flags).
option(KEL_WERROR "Treat warnings in the project's code as errors" OFF)
option(KEL_FUZZ "Build the fuzz targets (clang, native only)" OFF)
set(KEL_FUZZ_SECONDS 60 CACHE STRING "Length of the fuzz pass of each fuzz target")
if(KEL_FUZZ AND (KEL_WIN32 OR NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang"))
  message(FATAL_ERROR "KEL_FUZZ needs a native build with clang")
endif()

if(NOT KEL_WIN32)
  # The native build runs its tests under the sanitizers; LeakSanitizer comes
  # with AddressSanitizer on Linux.
  option(KEL_SANITIZE "Build natively with AddressSanitizer and UBSan" ON)
  if(KEL_FUZZ)
    # Everything a fuzz target links is instrumented for the fuzzer.
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
  if(KEL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
  endif()
else()
  # One self-contained executable per program or test: no MinGW runtime DLLs
  # have to be found by Wine.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  # Resource scripts are UTF-8 like the sources; windres turns their texts
  # into the program's code page.
  string(APPEND CMAKE_RC_FLAGS " --codepage=65001")
endif()

function(kel_target_defaults target)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${KEL_SOURCE_ROOT})
    return()
  endif()
  target_include_directories(${target} PUBLIC ${KEL_SOURCE_ROOT})
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wno-unused-parameter)
  if(KEL_WERROR)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:C,CXX>:-Werror>)
  endif()
  # GCC 12's optimiser reports overlapping copies inside libstdc++'s own
  # string assignment and concatenation (u"(" assigned, "/" + s) that cannot
  # happen; the check stays on with every other compiler.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Wno-restrict>)
  endif()
  # clang knows no Windows-1252 execution character set: in a clang tree
  # (fuzzing only) the few German texts stay UTF-8.
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    target_compile_options(${target} PRIVATE
      $<$<COMPILE_LANGUAGE:C,CXX>:-finput-charset=UTF-8 -fexec-charset=CP1252>)
  endif()
endfunction()

# Binds the named Windows libraries of one program at their first call
# instead of when it is loaded: the loader's work for them and their own
# start-up (the common controls register their window classes, the dialog
# library loads the printer spooler) no longer delay the first window. The
# program links delay-load import libraries made from the toolchain's under
# the same names, found before them, so every library that asks for one of
# these gets the late-bound form in this program only.
function(kel_delay_load target)
  if(NOT CMAKE_DLLTOOL OR NOT CMAKE_NM)
    message(FATAL_ERROR "kel_delay_load needs the toolchain's dlltool and nm")
  endif()
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}-delayimp)
  set(outputs "")
  foreach(lib IN LISTS ARGN)
    find_library(KEL_IMPLIB_${lib} NAMES lib${lib}.a REQUIRED)
    add_custom_command(OUTPUT ${dir}/lib${lib}.a
      COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DDLLTOOL=${CMAKE_DLLTOOL} -DLIB=${KEL_IMPLIB_${lib}}
              -DOUT=${dir}/lib${lib}.a -P ${KEL_SOURCE_ROOT}/cmake/DelayImportLib.cmake
      DEPENDS ${KEL_IMPLIB_${lib}} ${KEL_SOURCE_ROOT}/cmake/DelayImportLib.cmake
      VERBATIM)
    list(APPEND outputs ${dir}/lib${lib}.a)
  endforeach()
  add_custom_target(${target}_delayimp DEPENDS ${outputs})
  add_dependencies(${target} ${target}_delayimp)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${outputs})
  target_link_directories(${target} BEFORE PRIVATE ${dir})
  target_link_libraries(${target} PRIVATE delayimp)
endfunction()

macro(kel_add_googletest)
  if(NOT TARGET gtest)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    # The tests use GoogleTest only: GoogleMock is not built.
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endif()
endmacro()

# Environment of every test run. Wine tests get the build's prefix, the German
# locale and quiet debug output; DISPLAY comes from the caller (tools/test.sh
# starts Xvfb).
if(KEL_WIN32)
  set(KEL_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(KEL_TEST_ENV
    WINEPREFIX=${KEL_WINEPREFIX}
    WINEDEBUG=-all
    LC_ALL=de_DE.UTF-8
    KEL_FIXTURES=${CMAKE_BINARY_DIR}/fixtures
    KEL_BUILD_DIR=${CMAKE_BINARY_DIR})
else()
  set(KEL_TEST_ENV
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    KEL_FIXTURES=${CMAKE_BINARY_DIR}/fixtures
    KEL_BUILD_DIR=${CMAKE_BINARY_DIR})
endif()

# The object library of a shared test source, made on its first use: the
# source compiles once with the tests' defaults and its objects go into every
# test that lists it.
function(kel_shared_test_objects source out_var)
  file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${source})
  string(MAKE_C_IDENTIFIER "kel_shared_${rel}" lib)
  if(NOT TARGET ${lib})
    add_library(${lib} OBJECT ${source})
    kel_target_defaults(${lib})
    target_link_libraries(${lib} PRIVATE GTest::gtest)
  endif()
  set(${out_var} $<TARGET_OBJECTS:${lib}> PARENT_SCOPE)
endfunction()

function(kel_add_test name)
  cmake_parse_arguments(T "WINDOWS_ONLY" "" "SOURCES;LIBS" ${ARGN})
  if(T_WINDOWS_ONLY AND NOT KEL_WIN32)
    return()
  endif()
  set(sources "")
  foreach(src IN LISTS T_SOURCES)
    get_filename_component(path ${src} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    if(NOT src MATCHES "^\\$<" AND path IN_LIST KEL_TEST_SHARED_SOURCES)
      kel_shared_test_objects(${path} src)
    endif()
    list(APPEND sources ${src})
  endforeach()
  add_executable(${name} ${sources})
  kel_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  if(TARGET kel_fixtures)
    add_dependencies(${name} kel_fixtures)
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${KEL_TEST_ENV}" TIMEOUT 600)
  if(T_WINDOWS_ONLY)
    # Window tests share one Wine desktop: focus, capture and the active
    # window are global to it, so they run one at a time. A test of both
    # builds opens no window (the native build has none) and needs no lock.
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine_desktop)
  endif()
endfunction()

if(KEL_WIN32)
  # The Wine prefix the tests and the program run in; made once per build tree.
  add_custom_command(
    OUTPUT ${KEL_WINEPREFIX}/.kel-ready
    COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${KEL_WINEPREFIX}
            bash ${KEL_SOURCE_ROOT}/tools/wine-prefix.sh
    DEPENDS ${KEL_SOURCE_ROOT}/tools/wine-prefix.sh
    COMMENT "Preparing the Wine prefix")
  add_custom_target(wineprefix ALL DEPENDS ${KEL_WINEPREFIX}/.kel-ready)
endif()

function(kel_check_unlisted_areas folder areas)
  file(GLOB found RELATIVE ${folder} ${folder}/*/CMakeLists.txt ${folder}/*/*/CMakeLists.txt)
  foreach(list_file IN LISTS found)
    get_filename_component(area ${list_file} DIRECTORY)
    string(REGEX REPLACE "/.*" "" top ${area})
    if(area IN_LIST areas OR top IN_LIST areas)
      continue()
    endif()
    message(FATAL_ERROR "${folder}/${area} has a CMakeLists.txt but is not a listed area")
  endforeach()
endfunction()

function(kel_add_fuzz name)
  cmake_parse_arguments(F "" "CORPUS;MAX_LEN" "SOURCES;LIBS" ${ARGN})
  if(NOT F_MAX_LEN)
    set(F_MAX_LEN 4096)
  endif()
  if(NOT KEL_FUZZ)
    return()
  endif()
  add_executable(${name} ${F_SOURCES} ${CMAKE_SOURCE_DIR}/tests/support/FuzzSanitizerOptions.cpp)
  kel_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  # `fuzz_targets` builds them all.
  if(NOT TARGET fuzz_targets)
    add_custom_target(fuzz_targets)
  endif()
  add_dependencies(fuzz_targets ${name})
  # The working corpus grows in the build tree; the seeds stay as they are.
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus)
  add_test(NAME ${name}
    COMMAND bash -c "mkdir -p \"$1\" && cp -n \"$2\"/* \"$1\"/ && exec \"$3\" -max_total_time=$4 -max_len=$5 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \"$1\""
            fuzz ${corpus} ${F_CORPUS} $<TARGET_FILE:${name}> ${KEL_FUZZ_SECONDS} ${F_MAX_LEN})
  set_tests_properties(${name} PROPERTIES LABELS fuzz
    ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
    TIMEOUT 900)
endfunction()

function(kel_add_benchmark name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  if(KEL_WIN32)
    return()
  endif()
  find_package(benchmark REQUIRED)
  add_executable(${name} ${B_SOURCES})
  kel_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark)
  if(TARGET kel_fixtures)
    add_dependencies(${name} kel_fixtures)
  endif()
endfunction()
