# The sanitizer and fuzzing builds (scripts/check configures build-asan/ with both).
#
#   -DZBE_SANITIZE=ON  every target with AddressSanitizer and UndefinedBehaviorSanitizer; any
#                      report ends the program. The application, the export windows (which build
#                      on the application's base), the window tests and the package are left
#                      out: they would test Qt more than us, and the toolkit itself is still
#                      built for the layout fuzz target.
#   -DZBE_FUZZ=ON      clang only: coverage instrumentation for libFuzzer and the targets in fuzz/.

option(ZBE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(ZBE_FUZZ "Build the libFuzzer targets of fuzz/ (needs clang)" OFF)

if(ZBE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(ZBE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "ZBE_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++ "
                        "-DCMAKE_C_COMPILER=clang")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
