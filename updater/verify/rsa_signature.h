// RSA-3072 signatures with SHA-256 in PKCS #1 v1.5 padding (RSASSA-PKCS1-v1_5),
// the kind "openssl dgst -sha256 -sign" makes, verified in portable code.
//
// A key is its modulus: 384 bytes, big-endian, with the top bit set; the
// public exponent is always 65537.
#pragma once
#include <stddef.h>
#include <stdint.h>

namespace freshen {

constexpr size_t kRsaBytes = 384;  // modulus, signature and encoded block

// True only when signature is exactly kRsaBytes long, lies below the modulus,
// and raised to 65537 modulo it gives exactly the block EncodeSha256Block
// makes for message's digest. The block is compared whole, never parsed, so
// no padding or encoding variant is accepted. A modulus that is even or lacks
// its top bit verifies nothing.
bool VerifyRsaSha256(const uint8_t modulus[kRsaBytes], const void* message, size_t messageSize,
                     const void* signature, size_t signatureSize);

// The encoded block of a SHA-256 digest: 00 01 FF...FF 00, the DER DigestInfo
// prefix of SHA-256, then the digest.
void EncodeSha256Block(const uint8_t digest[32], uint8_t block[kRsaBytes]);

// output = input ^ exponent mod modulus, all big-endian; exponentSize bytes of
// exponent. False (output untouched) when the modulus is even or lacks its top
// bit, or input is not below it. Takes time that depends on the exponent:
// meant for public exponents, and for the tests' signatures with a test key.
bool RsaPower(const uint8_t modulus[kRsaBytes], const uint8_t* exponent, size_t exponentSize,
              const uint8_t input[kRsaBytes], uint8_t output[kRsaBytes]);

}  // namespace freshen
