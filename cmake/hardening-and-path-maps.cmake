# The flags that make a build hardened and reproducible, chosen once for the whole tree.
#
# Linux (gcc): Debian's own hardening, as dpkg-buildflags gives it under
# DEB_BUILD_MAINT_OPTIONS=hardening=+all (stack protector, fortify source, read-only
# relocations with immediate binding, PIE); bookworm's dpkg does not yet know the stack-clash
# and control-flow features that later ones add to +all, so they are appended through
# dpkg-buildflags' own maintainer hook. Not for the sanitizer and fuzz builds, whose
# instrumentation has checks of its own (and whose run-time replaces fortify's functions).
# Windows (mingw-w64): ASLR with high entropy and DEP in the PE header.
# Debian 12's C library start files carry no control-flow (IBT/SHSTK) property, so no
# program linked with them can be marked: our code is compiled with -fcf-protection all the
# same, and the mark will follow once the C library's start files have it.
# VS_HARDENED tells the targets whether this build is hardened.
# Every native build: no build path in any binary or its debug data, so that two clones in
# two folders give the same bytes.

# The source and build folders, as whatever they are called, become ./ and build/.
# gcc tries the last map first: the build folder, often inside the source folder, wins.
function(vs_map_build_paths)
  add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
                      -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
endfunction()

function(vs_debian_hardening)
  find_program(VS_DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
  set(options "hardening=+all")
  set(append "-fstack-clash-protection -fcf-protection")
  foreach(kind CPPFLAGS CXXFLAGS CFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=${options}
              DEB_CFLAGS_MAINT_APPEND=${append} DEB_CXXFLAGS_MAINT_APPEND=${append}
              ${VS_DPKG_BUILDFLAGS} --get ${kind}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    set(${kind} ${flags})
  endforeach()
  # Each language gets its own flags; the preprocessor's go to both.
  add_compile_options("$<$<COMPILE_LANGUAGE:CXX>:${CPPFLAGS};${CXXFLAGS}>"
                      "$<$<COMPILE_LANGUAGE:C>:${CPPFLAGS};${CFLAGS}>")
  add_link_options(${LDFLAGS})
  message(STATUS "Hardened as Debian: ${CPPFLAGS} ${CXXFLAGS} ${LDFLAGS}")
endfunction()

if(EMSCRIPTEN)
  return()
elseif(WIN32)
  vs_map_build_paths()
  # (The time stamp in the PE header: ld takes SOURCE_DATE_EPOCH, which `make release` sets.)
  add_link_options(-Wl,--dynamicbase -Wl,--high-entropy-va -Wl,--nxcompat)
elseif(NOT VS_SANITIZE AND NOT VS_FUZZ AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  vs_debian_hardening()
  vs_map_build_paths()
  set(VS_HARDENED ON)
endif()
