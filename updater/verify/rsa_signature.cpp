#include "updater/verify/rsa_signature.h"

#include <string.h>

#include "base/sha256.h"

namespace freshen {

namespace {

// Numbers of kRsaBytes as 32-bit limbs, least significant first; arithmetic in
// Montgomery form with R = 2^3072.
constexpr int kLimbs = kRsaBytes / 4;

struct Number {
    uint32_t limb[kLimbs];
};

Number FromBytes(const uint8_t* bytes) {
    Number n;
    for (int i = 0; i < kLimbs; ++i) {
        const uint8_t* p = bytes + kRsaBytes - 4 * (i + 1);
        n.limb[i] = uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
    }
    return n;
}

void ToBytes(const Number& n, uint8_t* bytes) {
    for (int i = 0; i < kLimbs; ++i) {
        uint8_t* p = bytes + kRsaBytes - 4 * (i + 1);
        for (int j = 0; j < 4; ++j) p[j] = static_cast<uint8_t>(n.limb[i] >> (24 - 8 * j));
    }
}

bool Below(const Number& a, const Number& b) {
    for (int i = kLimbs - 1; i >= 0; --i)
        if (a.limb[i] != b.limb[i]) return a.limb[i] < b.limb[i];
    return false;
}

// a -= b, modulo 2^3072.
void Subtract(Number& a, const Number& b) {
    uint32_t borrow = 0;
    for (int i = 0; i < kLimbs; ++i) {
        uint64_t d = uint64_t(a.limb[i]) - b.limb[i] - borrow;
        a.limb[i] = static_cast<uint32_t>(d);
        borrow = static_cast<uint32_t>(d >> 32) & 1;
    }
}

class Modulus {
public:
    explicit Modulus(const Number& n) : n_(n) {
        // -n^-1 mod 2^32 by Newton's iteration: x = n0 is right in 3 bits
        // for odd n0, and every step doubles the bits.
        uint32_t x = n.limb[0];
        for (int i = 0; i < 5; ++i) x *= 2 - n.limb[0] * x;
        negInverse_ = 0 - x;
    }

    // R mod n, which is 1 in Montgomery form: 2^3072 - n, since n > 2^3071.
    Number One() const {
        Number zero = {};
        Subtract(zero, n_);
        return zero;
    }

    // a * R mod n for a < n, by 3072 modular doublings.
    Number ToMontgomery(Number a) const {
        for (int bit = 0; bit < kLimbs * 32; ++bit) {
            uint32_t carry = a.limb[kLimbs - 1] >> 31;
            for (int i = kLimbs - 1; i > 0; --i) a.limb[i] = a.limb[i] << 1 | a.limb[i - 1] >> 31;
            a.limb[0] <<= 1;
            if (carry || !Below(a, n_)) Subtract(a, n_);
        }
        return a;
    }

    // a * b / R mod n for a, b < n (coarsely integrated operand scanning).
    Number Multiply(const Number& a, const Number& b) const {
        uint32_t t[kLimbs + 2] = {};
        for (int i = 0; i < kLimbs; ++i) {
            uint64_t carry = 0;
            for (int j = 0; j < kLimbs; ++j) {
                uint64_t s = uint64_t(a.limb[j]) * b.limb[i] + t[j] + carry;
                t[j] = static_cast<uint32_t>(s);
                carry = s >> 32;
            }
            uint64_t s = uint64_t(t[kLimbs]) + carry;
            t[kLimbs] = static_cast<uint32_t>(s);
            t[kLimbs + 1] = static_cast<uint32_t>(s >> 32);

            uint32_t m = t[0] * negInverse_;
            carry = (uint64_t(m) * n_.limb[0] + t[0]) >> 32;
            for (int j = 1; j < kLimbs; ++j) {
                s = uint64_t(m) * n_.limb[j] + t[j] + carry;
                t[j - 1] = static_cast<uint32_t>(s);
                carry = s >> 32;
            }
            s = uint64_t(t[kLimbs]) + carry;
            t[kLimbs - 1] = static_cast<uint32_t>(s);
            t[kLimbs] = t[kLimbs + 1] + static_cast<uint32_t>(s >> 32);
        }
        Number result;
        memcpy(result.limb, t, sizeof result.limb);
        if (t[kLimbs] || !Below(result, n_)) Subtract(result, n_);  // t < 2n
        return result;
    }

private:
    Number n_;
    uint32_t negInverse_;
};

// The DER DigestInfo prefix of a SHA-256 digest.
const uint8_t kSha256DigestInfo[19] = {0x30, 0x31, 0x30, 0x0d, 0x06, 0x09, 0x60, 0x86, 0x48, 0x01,
                                       0x65, 0x03, 0x04, 0x02, 0x01, 0x05, 0x00, 0x04, 0x20};

}  // namespace

bool RsaPower(const uint8_t modulus[kRsaBytes], const uint8_t* exponent, size_t exponentSize,
              const uint8_t input[kRsaBytes], uint8_t output[kRsaBytes]) {
    if ((modulus[0] & 0x80) == 0 || (modulus[kRsaBytes - 1] & 1) == 0) return false;
    const Number n = FromBytes(modulus);
    const Number x = FromBytes(input);
    if (!Below(x, n)) return false;
    const Modulus m(n);
    const Number base = m.ToMontgomery(x);
    Number acc = m.One();
    for (size_t i = 0; i < exponentSize; ++i) {
        for (int bit = 7; bit >= 0; --bit) {
            acc = m.Multiply(acc, acc);
            if ((exponent[i] >> bit) & 1) acc = m.Multiply(acc, base);
        }
    }
    Number plainOne = {};
    plainOne.limb[0] = 1;
    ToBytes(m.Multiply(acc, plainOne), output);
    return true;
}

void EncodeSha256Block(const uint8_t digest[32], uint8_t block[kRsaBytes]) {
    const size_t tail = sizeof kSha256DigestInfo + 32;
    block[0] = 0x00;
    block[1] = 0x01;
    memset(block + 2, 0xFF, kRsaBytes - tail - 3);
    block[kRsaBytes - tail - 1] = 0x00;
    memcpy(block + kRsaBytes - tail, kSha256DigestInfo, sizeof kSha256DigestInfo);
    memcpy(block + kRsaBytes - 32, digest, 32);
}

bool VerifyRsaSha256(const uint8_t modulus[kRsaBytes], const void* message, size_t messageSize,
                     const void* signature, size_t signatureSize) {
    if (signatureSize != kRsaBytes) return false;
    static const uint8_t kPublicExponent[] = {0x01, 0x00, 0x01};
    uint8_t recovered[kRsaBytes];
    if (!RsaPower(modulus, kPublicExponent, sizeof kPublicExponent, static_cast<const uint8_t*>(signature),
                  recovered))
        return false;
    base::Sha256 hash;
    hash.Update(message, messageSize);
    uint8_t digest[base::kSha256Size];
    hash.Finish(digest);
    uint8_t expected[kRsaBytes];
    EncodeSha256Block(digest, expected);
    return memcmp(recovered, expected, kRsaBytes) == 0;
}

}  // namespace freshen
