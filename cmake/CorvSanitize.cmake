# AddressSanitizer and UndefinedBehaviorSanitizer over every library, program and test of the tree
# (configure with CC=clang CXX=clang++ -DCORV_SANITIZE=ON in a build folder of its own).
# Undefined behaviour stops the program as a memory error does, so no test can pass over it.
# -O1 with line tables only, after the build type's own flags: quick to build, and every report still
# names its files and lines.
add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
                    -O1 -gline-tables-only)
add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
set(CORV_WERROR OFF)

# Every program carries its sanitizer defaults, so tests, the scripts they start and the programs
# those start all run with the same options without anyone setting the environment. The runtime
# asks the program for them through these hook functions; an object named on the link line of an
# executable always wins over the runtime's own weak definitions.
set(corv_supp ${CMAKE_SOURCE_DIR}/cmake/sanitize/lsan.supp)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${corv_supp})
file(STRINGS ${corv_supp} corv_supp_lines REGEX "^[^#]")
list(JOIN corv_supp_lines "\\n" corv_supp_text)
set(corv_defaults_src ${CMAKE_BINARY_DIR}/sanitize/SanitizerDefaults.cpp)
set(corv_defaults_obj ${CMAKE_BINARY_DIR}/sanitize/SanitizerDefaults.o)
file(CONFIGURE OUTPUT ${corv_defaults_src} CONTENT [[
extern "C" const char* __lsan_default_suppressions() { return "@corv_supp_text@\n"; }
extern "C" const char* __asan_default_options() { return "detect_leaks=1"; }
extern "C" const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }
]] @ONLY)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -O2 -fPIC -c ${corv_defaults_src} -o ${corv_defaults_obj}
                RESULT_VARIABLE corv_defaults_rc)
if(NOT corv_defaults_rc EQUAL 0)
  message(FATAL_ERROR "Could not compile the sanitizer defaults ${corv_defaults_src}")
endif()
add_link_options("$<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>:${corv_defaults_obj}>")
