// SHA-256 (FIPS 180-4) and HMAC-SHA-256 (RFC 2104) in portable code, without
// Windows headers: the system's crypto providers have neither on the 9x
// family and NT 4. The updater checks its downloads and signed version file
// with them, a cure's backup seals its lists (backup/seal.h), and the host
// build fuzzes the updater's checks.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <string>

namespace base {

constexpr size_t kSha256Size = 32;

class Sha256 {
public:
    Sha256();
    void Update(const void* data, size_t size);
    // The digest of everything passed so far. Ends the hash: call it once.
    void Finish(uint8_t digest[kSha256Size]);
    // Finish, as lower-case hexadecimal.
    std::string HexDigest();

private:
    void Block(const uint8_t* block);

    uint32_t state_[8];
    uint8_t buffer_[64];
    size_t buffered_ = 0;
    uint64_t length_ = 0;  // bytes passed so far
};

// The keyed digest of data under key (any length), as lower-case hexadecimal.
std::string HmacSha256Hex(const void* key, size_t keySize, const void* data, size_t size);

// The bytes as lower-case hexadecimal.
std::string HexOf(const uint8_t* bytes, size_t size);

}  // namespace base
