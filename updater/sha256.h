// SHA-256 through the platform's CryptoAPI (the AES provider type, which
// carries SHA-256). Where the platform has no such provider, ok() is false and
// no digest can be made.
#pragma once
#include <windows.h>
#include <wincrypt.h>
#include <string>

namespace freshen {

class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    bool ok() const { return hash_ != 0; }
    void Update(const void* data, DWORD size);
    // Lower-case hexadecimal digest of everything passed so far; empty when
    // hashing failed at any point.
    std::string HexDigest();

private:
    HCRYPTPROV provider_ = 0;
    HCRYPTHASH hash_ = 0;
    bool failed_ = false;
};

}  // namespace freshen
