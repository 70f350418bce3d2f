// The ADB database encoding: one reader and one writer, used by the engine's
// loader and by the database tool. No Windows headers: builds on any host.
//
// Layout (little-endian, no padding): "ADB" (any letter case), int32
// recordCount, then records: int32 id, string name, uint8 itemCount, items:
// uint8 type, string location, string target, uint8 killRundll32,
// killOwnProcess, restartExplorer. A string stores character c at position i
// as (c + i - 30) mod 256 and ends with a zero byte; at most 254 characters.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <optional>
#include <string>
#include <vector>

namespace adb {

constexpr size_t kMaxStringLength = 254;

// An absent text (std::nullopt) is what the reader gives for a string longer
// than 254 characters or one cut off by the end of the file.
using Text = std::optional<std::string>;

// One item of a record, in either form: TextField is Text in the readable
// form, TextRef in the loader's packed form.
template <typename TextField>
struct BasicItem {
    uint8_t type = 0;
    TextField location;
    TextField target;
    uint8_t killRundll32 = 0;
    uint8_t killOwnProcess = 0;
    uint8_t restartExplorer = 0;
};
using Item = BasicItem<Text>;

struct Record {
    int32_t id = 0;
    Text name;
    std::vector<Item> items;  // at most 255
};

struct Database {
    std::vector<Record> records;
};

// The loader's form of a database: every text in one block (each ends with a
// zero byte, so it can be handed out as a C string), records and items in two
// tables. Three allocations however many records the file holds.
struct TextRef {
    uint32_t offset = 0;
    int32_t length = -1;  // -1: absent
    bool present() const { return length >= 0; }
};
using PackedItem = BasicItem<TextRef>;
struct PackedRecord {
    int32_t id = 0;
    TextRef name;
    uint32_t firstItem = 0;  // index into PackedDatabase::items
    uint32_t itemCount = 0;
};
struct PackedDatabase {
    std::vector<char> texts;
    std::vector<PackedRecord> records;
    std::vector<PackedItem> items;
    // NULL for an absent text.
    char* Text(TextRef ref) { return ref.present() ? texts.data() + ref.offset : nullptr; }
    const char* Text(TextRef ref) const { return ref.present() ? texts.data() + ref.offset : nullptr; }
};

// Decodes a whole file image into the packed form; the same rules as Decode
// below. The texts block never grows beyond the file's size plus one byte.
bool DecodePacked(const uint8_t* data, size_t size, PackedDatabase* out);

// Decodes a whole file image. Returns false (and leaves *out empty) only when
// the magic is not "ADB" in some letter case; the first three bytes are read
// as a text line would be, stopping after a line feed.
//
// Everything else loads: a file cut short or whose counts exceed its contents
// gives the records that begin inside the file, with absent texts, zero flags
// and no items where the bytes ran out. Counts never drive an allocation
// beyond what the file's size can back, and nothing is read out of bounds.
bool Decode(const uint8_t* data, size_t size, Database* out);

// Why a text cannot be written: it is absent, longer than 254 characters, or
// holds a character whose stored byte would be zero (c == 30 - i mod 256).
enum class EncodeError { none, absentText, tooLong, unrepresentable };

// Checks one text; on failure *position (if given) is the offending index.
EncodeError CheckString(const Text& text, size_t* position = nullptr);

// Appends the encoded text with its terminating zero. The text must pass
// CheckString; otherwise nothing is appended and the error is returned.
EncodeError AppendString(const Text& text, std::vector<uint8_t>* out);

// Encodes a whole database. On failure *out is left empty; *badRecord and
// *badItem (if given) name the record index and item index (-1: the name).
EncodeError Encode(const Database& db, std::vector<uint8_t>* out, int* badRecord = nullptr,
                   int* badItem = nullptr);

// Decodes one string starting at data[*pos]; advances *pos past what the
// reader consumed. Exposed for the tests.
Text ReadString(const uint8_t* data, size_t size, size_t* pos);

}  // namespace adb
