// SHA-256 (FIPS 180-4) in portable code: the system's crypto providers have
// none on the 9x family and NT 4.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <string>

namespace freshen {

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

}  // namespace freshen
