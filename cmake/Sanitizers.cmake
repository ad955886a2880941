# Sanitizers and fuzzing, in one place.
#
# BREVANE_SANITIZE instruments every target of the build, JUCE included, so a
# sanitized test run sees the whole program. BREVANE_BUILD_FUZZ additionally
# gives the core libFuzzer's coverage instrumentation, which only the fuzz
# targets want: such a build folder holds the fuzz targets and nothing else
# (scripts/fuzz.sh keeps one of its own), so the instrumentation never reaches
# the program or the test suites.

set(BREVANE_SANITIZE "" CACHE STRING "Comma-separated sanitizers for every target, e.g. address,undefined")
option(BREVANE_BUILD_FUZZ "Build only the libFuzzer targets (clang only)" OFF)

if(BREVANE_SANITIZE)
    add_compile_options(-fsanitize=${BREVANE_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=${BREVANE_SANITIZE})
endif()

if(BREVANE_BUILD_FUZZ AND NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "The fuzz targets need clang")
endif()

# Coverage for the code under test, so the fuzzer can steer by it.
function(brevane_fuzz_instrument target)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
endfunction()

# brevane_add_fuzz_target(name source)
function(brevane_add_fuzz_target name source)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE brevane_core)
    # The test doubles come from the tests' own support folder, as "support/X.h".
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    brevane_warnings(${name})
endfunction()
