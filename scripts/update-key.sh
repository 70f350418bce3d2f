# Sourced: which update key a Freshen.exe embeds (build.sh, package.sh, the tests).
# The build writes the key's modulus into Freshen.exe as its 384 bytes, big-endian
# (cmake/UpdateKey.cmake), so a key is embedded when those bytes are in the file.

test_update_key=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/updater/keys/test-update-public.pem

# The modulus of an RSA key in PEM (public or private), lower-case hex; nothing for anything else.
key_modulus() {
  { openssl rsa -pubin -in "$1" -noout -modulus 2>/dev/null || openssl rsa -in "$1" -noout -modulus 2>/dev/null; } |
    sed -n 's/^Modulus=//p' | tr 'A-F' 'a-f'
}

# Whether the key in PEM file $1 is the repository's test key, wherever it lies.
is_test_key() { [ "$(key_modulus "$1")" = "$(key_modulus "$test_update_key")" ]; }

# Whether file $1 embeds the key in PEM file $2.
embeds_key() {
  local modulus
  modulus=$(key_modulus "$2")
  [ -n "$modulus" ] && python3 -c 'import sys; sys.exit(bytes.fromhex(sys.argv[2]) not in open(sys.argv[1], "rb").read())' \
    "$1" "$modulus"
}
