# purvex_embed_rsa_key(<pem> <out.cpp> <modulus symbol> [PRIVATE <exponent symbol>])
#
# Writes a C++ source defining, in namespace freshen,
#   const unsigned char <modulus symbol>[384]
# the big-endian modulus of the RSA-3072 key in <pem> (public exponent 65537),
# read with openssl on the build host. With PRIVATE, <pem> is a private key and
# the source also defines <exponent symbol>[384], its private exponent: only
# the tests sign with it. Any other kind or size of key stops the configuration.
# Changing <pem> configures again.
find_program(PURVEX_OPENSSL openssl REQUIRED)

# Reads "<field>:" followed by indented "xx:xx:..." lines as 384 bytes in hex;
# a number shorter than that (only a private exponent may be) is padded.
function(_purvex_rsa_field text field out)
  if(NOT text MATCHES "${field}:\n([ 0-9a-f:\n]+)")
    message(FATAL_ERROR "no ${field} in the key")
  endif()
  string(REGEX REPLACE "[ :\n]" "" hex "${CMAKE_MATCH_1}")
  string(REGEX REPLACE "^00" "" hex "${hex}")  # the sign byte of a number with its top bit set
  string(LENGTH "${hex}" length)
  if(field STREQUAL "privateExponent" AND length LESS 768)
    math(EXPR missing "768 - ${length}")
    string(REPEAT "0" ${missing} zeros)
    set(hex "${zeros}${hex}")
    set(length 768)
  endif()
  if(NOT length EQUAL 768)
    message(FATAL_ERROR "the key's ${field} is not 3072 bits long")
  endif()
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  set(${out} "${bytes}" PARENT_SCOPE)
endfunction()

function(purvex_embed_rsa_key pem out symbol)
  cmake_parse_arguments(K "" "PRIVATE" "" ${ARGN})
  if(NOT EXISTS "${pem}")
    message(FATAL_ERROR "update key ${pem} does not exist")
  endif()
  if(K_PRIVATE)
    set(kind "")
  else()
    set(kind -pubin)
  endif()
  execute_process(COMMAND ${PURVEX_OPENSSL} rsa ${kind} -in ${pem} -noout -text
                  OUTPUT_VARIABLE text RESULT_VARIABLE status ERROR_QUIET)
  if(NOT status EQUAL 0 OR NOT text MATCHES "\\(3072 bit" OR NOT text MATCHES "[Ee]xponent: 65537 \\(0x10001\\)")
    message(FATAL_ERROR "${pem} is not an RSA-3072 key with public exponent 65537")
  endif()
  _purvex_rsa_field("${text}" "[Mm]odulus" modulus)
  set(source "// Generated from ${pem} by the build.\nnamespace freshen {\n")
  string(APPEND source "extern const unsigned char ${symbol}[384] = {${modulus}};\n")
  if(K_PRIVATE)
    _purvex_rsa_field("${text}" "privateExponent" exponent)
    string(APPEND source "extern const unsigned char ${K_PRIVATE}[384] = {${exponent}};\n")
  endif()
  string(APPEND source "}  // namespace freshen\n")
  file(WRITE "${out}.new" "${source}")
  configure_file("${out}.new" "${out}" COPYONLY)  # touched only when it changes
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${pem}")
endfunction()
