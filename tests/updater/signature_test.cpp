// Signature verification and the version file's checks, against signatures
// openssl makes, published test vectors, and damaged signatures, keys and
// files.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <vector>

#include "test_support.h"
#include "updater/verify/rsa_signature.h"
#include "updater/verify/signed_version_file.h"

using namespace freshen;
using namespace freshen_test;

namespace {

using Bytes = std::string;

Bytes FromHex(const std::string& hex) {
    Bytes bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

const uint8_t* Key(const Bytes& modulus) { return reinterpret_cast<const uint8_t*>(modulus.data()); }

bool Verifies(const Bytes& modulus, const Bytes& message, const Bytes& signature) {
    return VerifyRsaSha256(Key(modulus), message.data(), message.size(), signature.data(), signature.size());
}

const Bytes kTestKey(reinterpret_cast<const char*>(kTestUpdateKey), kRsaBytes);

TEST(RsaSignature, PublishedVectors) {
    std::istringstream lines(ReadFixture("wycheproof-rsa3072-sha256.txt"));
    std::string line;
    Bytes n;
    int valid = 0, refused = 0;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string id, result, message, signature;
        fields >> id;
        if (id.empty() || id[0] == '#') continue;
        if (id == "n") {
            fields >> message;
            n = FromHex(message);
            continue;
        }
        fields >> result >> message >> signature;
        SCOPED_TRACE("tcId " + id);
        bool expected = result == "valid";
        EXPECT_EQ(Verifies(n, FromHex(message == "-" ? "" : message), FromHex(signature)), expected);
        (expected ? valid : refused)++;
    }
    EXPECT_EQ(valid, 3);
    EXPECT_EQ(refused, 8);

    // Values a verifier must refuse before any arithmetic or after it.
    Bytes one(kRsaBytes, '\0'), nMinus1 = n, nPlus1 = n;
    one.back() = 1;
    nMinus1.back() = static_cast<char>(nMinus1.back() - 1);
    nPlus1.back() = static_cast<char>(nPlus1.back() + 1);
    const Bytes constructed[] = {Bytes(), Bytes(kRsaBytes, '\0'), one, nMinus1, n, nPlus1, Bytes(kRsaBytes, '\xFF'),
                                 n + Bytes(2, '\0'), n.substr(1), Bytes(kRsaBytes + 1, '\0')};
    for (const Bytes& signature : constructed) EXPECT_FALSE(Verifies(n, FromHex("313233343030"), signature));
}

TEST(RsaSignature, OpensslSignaturesAndTheTestSigner) {
    const Bytes text = ReadFixture("version-file.txt");
    const Bytes openssl = ReadFixture("version-file.test-key.sig");
    ASSERT_EQ(openssl.size(), kRsaBytes);
    EXPECT_TRUE(Verifies(kTestKey, text, openssl));
    EXPECT_EQ(SignWithTestKey(text), openssl) << "the tests sign as openssl does";
    EXPECT_FALSE(Verifies(kTestKey, text, ReadFixture("version-file.other-key.sig"))) << "another key's signature";
}

TEST(RsaSignature, AnyChangedBitIsRefused) {
    const Bytes text = ReadFixture("version-file.txt");
    const Bytes signature = ReadFixture("version-file.test-key.sig");
    struct Flip {
        const char* what;
        size_t byte;
        int bit;
    };
    const Flip flips[] = {{"signature", 0, 7}, {"signature", 1, 0}, {"signature", 200, 3}, {"signature", 383, 0},
                          {"message", 0, 0},   {"message", 100, 5}, {"message", text.size() - 1, 1},
                          {"key", 0, 7},  // top bit cleared: no longer a 3072-bit key
                          {"key", 0, 0},       {"key", 190, 4},     {"key", 383, 1},
                          {"key", 383, 0}};  // even
    for (const Flip& f : flips) {
        SCOPED_TRACE(std::string(f.what) + " byte " + std::to_string(f.byte) + " bit " + std::to_string(f.bit));
        Bytes key = kTestKey, message = text, changed = signature;
        Bytes& target = f.what[0] == 's' ? changed : f.what[0] == 'm' ? message : key;
        target[f.byte] = static_cast<char>(target[f.byte] ^ (1 << f.bit));
        EXPECT_FALSE(Verifies(key, message, changed));
    }
    EXPECT_FALSE(Verifies(kTestKey, text + "\r\n", signature)) << "a byte added";
    EXPECT_FALSE(Verifies(kTestKey, text.substr(0, text.size() - 1), signature)) << "a byte dropped";
}

const char* const kSections[] = {"PURVEXEXE", "CHRONIKDLL", "PURVEXDLL", "KORDONDLL", "KORDONADB", "PURVEXADB"};
const std::string kDigest = "3F189378EFBFBEDCDC2DF3CB20F00316417140517C0176EACB076371D843C5F3";

bool Parses(const std::string& text) {
    VersionFile file;
    return ParseVersionFile(text, kSections, 6, file);
}

std::string Db(const std::string& lines) { return "[PURVEXADB]\r\nVER=2004.10.07\r\n" + lines; }
std::string Update(const std::string& serial, const std::string& expires) {
    return "[UPDATE]\r\nSERIAL=" + serial + "\r\nEXPIRES=" + expires + "\r\n";
}
const std::string kGoodDb = Db("SHA256=" + kDigest + "\r\nSIZE=12\r\n");
const std::string kGoodUpdate = Update("7", "2099-12-31");

TEST(VersionFile, RequiredKeysAndTheirForms) {
    struct Case {
        std::string text;
        bool parses;
    };
    const Case cases[] = {
        {kGoodDb + kGoodUpdate, true},
        {kGoodUpdate, true},  // announcing nothing
        {Db("SIZE=12\r\n") + kGoodUpdate, false},
        {Db("SHA256=" + kDigest + "\r\n") + kGoodUpdate, false},
        {"[KORDONDLL]\r\nSIZE=3\r\n" + kGoodDb + kGoodUpdate, false},  // a section without VER still announces
        {Db("SHA256=" + kDigest.substr(1) + "\r\nSIZE=12\r\n") + kGoodUpdate, false},
        {Db("SHA256=" + kDigest.substr(1) + "g\r\nSIZE=12\r\n") + kGoodUpdate, false},
        {Db("SHA256=" + kDigest + "\r\nSIZE=12a\r\n") + kGoodUpdate, false},
        {Db("SHA256=" + kDigest + "\r\nSIZE=-1\r\n") + kGoodUpdate, false},
        {Db("SHA256=" + kDigest + "\r\nSIZE=2147483648\r\n") + kGoodUpdate, false},
        {Db("SHA256=" + kDigest + "\r\nSIZE=\r\n") + kGoodUpdate, false},
        {kGoodDb, false},
        {kGoodDb + Update("0", "2099-12-31"), false},
        {kGoodDb + Update("4294967296", "2099-12-31"), false},
        {kGoodDb + Update("4294967295", "2099-12-31"), true},
        {kGoodDb + Update("+7", "2099-12-31"), false},
        {kGoodDb + "[UPDATE]\r\nEXPIRES=2099-12-31\r\n", false},
        {kGoodDb + "[UPDATE]\r\nSERIAL=7\r\n", false},
        {kGoodDb + Update("7", "2024-02-29"), true},
        {kGoodDb + Update("7", "2023-02-29"), false},
        {kGoodDb + Update("7", "2024-04-31"), false},
        {kGoodDb + Update("7", "2024-13-01"), false},
        {kGoodDb + Update("7", "2024-1-01"), false},
        {kGoodDb + Update("7", "2024/01/01"), false},
        {kGoodDb + Update("7", "2099-12-31 "), true},  // blanks around a value are dropped
        // Names without regard to case, blanks, quotes, comments; the first of two counts.
        {"; comment\n[ purvexadb ]\nver = 2004.10.07\nSha256=\"" + kDigest + "\"\nsize=12\n[update]\nserial=7\n"
         "expires=2099-12-31\n[UPDATE]\nSERIAL=x\n", true},
        {Db("SHA256=" + kDigest + "\r\nSIZE=12\r\nSIZE=x\r\n") + kGoodUpdate, true},
        {Db("SHA256=" + kDigest + "\r\nSIZE=x\r\nSIZE=12\r\n") + kGoodUpdate, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Parses(c.text), c.parses);
    }
}

TEST(VersionFile, WhatIsRead) {
    VersionFile file;
    ASSERT_TRUE(ParseVersionFile("[PURVEXEXE]\r\nVER=12345678901234567890123\r\nSHA256=" + kDigest +
                                     "\r\nSIZE=2147483647\r\n" + kGoodDb + Update("4000000000", "2024-02-29"),
                                 kSections, 6, file));
    ASSERT_EQ(file.files.size(), 6u);
    EXPECT_EQ(file.files[0].version, "1234567890123456789");
    EXPECT_EQ(file.files[0].size, 2147483647u);
    EXPECT_FALSE(file.files[1].present);
    EXPECT_EQ(file.files[1].version, "");
    EXPECT_EQ(file.files[5].sha256Hex, "3f189378efbfbedcdc2df3cb20f00316417140517c0176eacb076371d843c5f3");
    EXPECT_EQ(file.serial, 4000000000u);
    EXPECT_EQ(file.expires.year * 10000 + file.expires.month * 100 + file.expires.day, 20240229);
}

TEST(VersionFile, ChecksInOrder) {
    const std::string good = kGoodDb + Update("7", "2024-02-29");
    const std::string goodSignature = SignWithTestKey(good);
    const std::string incomplete = Db("SIZE=12\r\n") + Update("7", "2024-02-29");
    const std::string incompleteSignature = SignWithTestKey(incomplete);
    std::string tampered = good;
    tampered[tampered.find("2004.10.07") + 9] = '8';
    const UtcDate day{2024, 2, 29}, nextDay{2024, 3, 1};
    struct Case {
        const char* what;
        const std::string* text;
        const std::string* signature;
        uint32_t lastSerial;
        UtcDate today;
        Verdict verdict;
    };
    const Case cases[] = {
        {"accepted", &good, &goodSignature, 6, day, Verdict::kAccepted},
        {"same serial", &good, &goodSignature, 7, day, Verdict::kAccepted},
        {"no signature", &good, nullptr, 0, day, Verdict::kNoSignature},
        {"tampered", &tampered, &goodSignature, 0, day, Verdict::kBadSignature},
        {"signature of another file", &good, &incompleteSignature, 0, day, Verdict::kBadSignature},
        {"incomplete", &incomplete, &incompleteSignature, 0, day, Verdict::kIncomplete},
        {"older serial", &good, &goodSignature, 8, day, Verdict::kOlderSerial},
        {"expired", &good, &goodSignature, 0, nextDay, Verdict::kExpired},
        {"expired and older", &good, &goodSignature, 8, nextDay, Verdict::kOlderSerial},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VersionFile file;
        EXPECT_EQ(CheckVersionFile(*c.text, c.signature, kTestUpdateKey, c.lastSerial, c.today, kSections, 6, file),
                  c.verdict);
        EXPECT_EQ(file.serial, c.verdict == Verdict::kAccepted ? 7u : 0u) << "filled only when accepted";
    }
}

}  // namespace
