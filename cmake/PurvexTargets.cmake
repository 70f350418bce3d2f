# Target recipes more than one folder uses.

# purvex_add_fuzzer(<name> <source>...)
# A libFuzzer program with AddressSanitizer and UndefinedBehaviorSanitizer,
# built only when asked for by name (scripts/fuzz.sh). Only clang host builds
# can make one; elsewhere nothing is added.
function(purvex_add_fuzzer name)
  if(WIN32 OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    return()
  endif()
  add_executable(${name} ${ARGN})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE -g -O1 -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  set_target_properties(${name} PROPERTIES EXCLUDE_FROM_ALL ON)
endfunction()

# purvex_compile_database(<target> <tool variable> <source> <file> <comment>)
# Compiles <source> into bin/<file> with the host-built tool the cache
# variable <tool variable> names (`tool compile <source> <out>`), as part of
# every build, and installs it beside the programs. Without the tool it warns
# that <file> is not built.
function(purvex_compile_database target toolVariable source file comment)
  set(tool ${${toolVariable}})
  if(NOT tool)
    message(WARNING "${toolVariable} is not set: ${file} is not built")
    return()
  endif()
  set(out ${CMAKE_BINARY_DIR}/bin/${file})
  add_custom_command(OUTPUT ${out}
    COMMAND ${tool} compile ${source} ${out}
    DEPENDS ${source} ${tool}
    COMMENT "${comment}")
  add_custom_target(${target} ALL DEPENDS ${out})
  install(FILES ${out} DESTINATION .)
endfunction()
