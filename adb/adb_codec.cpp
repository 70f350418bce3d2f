#include "adb/adb_codec.h"

#include <algorithm>

namespace adb {

namespace {

// Reads bytes from a file image; reads past the end yield -1 and consume nothing.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size, size_t pos = 0) : data_(data), size_(size), pos_(pos) {}
    int Byte() { return pos_ < size_ ? data_[pos_++] : -1; }
    // Little-endian; bytes past the end count as zero.
    int32_t Int32() {
        uint32_t value = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            int b = Byte();
            if (b >= 0) value |= static_cast<uint32_t>(b) << shift;
        }
        return static_cast<int32_t>(value);
    }
    uint8_t Flag() {  // a byte past the end reads as 0 (not set)
        int b = Byte();
        return b < 0 ? 0 : static_cast<uint8_t>(b);
    }
    Text String() {
        std::string text;
        for (size_t i = 0;; ++i) {
            int b = Byte();
            if (b == 0) return text;
            if (b < 0 || i == kMaxStringLength) return std::nullopt;
            text.push_back(static_cast<char>((b + 30 - static_cast<int>(i)) & 0xFF));
        }
    }
    bool AtEnd() const { return pos_ >= size_; }
    size_t Remaining() const { return size_ - pos_; }
    size_t Pos() const { return pos_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_;
};

bool MagicMatches(ByteReader& r) {
    // Up to three bytes, stopping after a line feed, as a text line is read.
    char magic[3] = {0, 0, 0};
    size_t n = 0;
    while (n < 3) {
        int b = r.Byte();
        if (b < 0) break;
        magic[n++] = static_cast<char>(b);
        if (b == '\n') break;
    }
    if (n != 3) return false;
    const char expected[3] = {'A', 'D', 'B'};
    for (size_t i = 0; i < 3; ++i) {
        char c = magic[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != expected[i]) return false;
    }
    return true;
}

Item ReadItem(ByteReader& r) {
    Item item;
    item.type = r.Flag();
    item.location = r.String();
    item.target = r.String();
    item.killRundll32 = r.Flag();
    item.killOwnProcess = r.Flag();
    item.restartExplorer = r.Flag();
    return item;
}

// The smallest record the file can hold: id, an empty name, itemCount.
constexpr size_t kMinRecordBytes = 4 + 1 + 1;

}  // namespace

Text ReadString(const uint8_t* data, size_t size, size_t* pos) {
    ByteReader r(data, size, *pos);
    Text text = r.String();
    *pos = r.Pos();
    return text;
}

bool Decode(const uint8_t* data, size_t size, Database* out) {
    out->records.clear();
    ByteReader r(data, size);
    if (!MagicMatches(r)) return false;
    int32_t count = r.Int32();
    if (count <= 0) return true;

    // A record that begins past the end of the file is not kept, so the file
    // size bounds both the reservation and the table.
    size_t backed = r.Remaining() / kMinRecordBytes + 1;
    out->records.reserve(std::min(static_cast<size_t>(count), backed));
    for (int32_t i = 0; i < count && !r.AtEnd(); ++i) {
        Record record;
        record.id = r.Int32();
        record.name = r.String();
        int itemCount = r.Byte();  // past the end: no items
        if (itemCount > 0) record.items.reserve(static_cast<size_t>(itemCount));
        for (int k = 0; k < itemCount && !r.AtEnd(); ++k) record.items.push_back(ReadItem(r));
        out->records.push_back(std::move(record));
    }
    return true;
}

EncodeError CheckString(const Text& text, size_t* position) {
    if (!text) return EncodeError::absentText;
    if (text->size() > kMaxStringLength) {
        if (position) *position = kMaxStringLength;
        return EncodeError::tooLong;
    }
    for (size_t i = 0; i < text->size(); ++i) {
        int stored = (static_cast<uint8_t>((*text)[i]) + static_cast<int>(i) - 30) & 0xFF;
        if (stored == 0) {
            if (position) *position = i;
            return EncodeError::unrepresentable;
        }
    }
    return EncodeError::none;
}

EncodeError AppendString(const Text& text, std::vector<uint8_t>* out) {
    EncodeError error = CheckString(text);
    if (error != EncodeError::none) return error;
    for (size_t i = 0; i < text->size(); ++i)
        out->push_back(static_cast<uint8_t>((static_cast<uint8_t>((*text)[i]) + i - 30) & 0xFF));
    out->push_back(0);
    return EncodeError::none;
}

namespace {
void AppendInt32(int32_t value, std::vector<uint8_t>* out) {
    uint32_t v = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) out->push_back(static_cast<uint8_t>(v >> shift));
}
}  // namespace

EncodeError Encode(const Database& db, std::vector<uint8_t>* out, int* badRecord, int* badItem) {
    out->clear();
    auto fail = [&](EncodeError error, size_t record, int item) {
        out->clear();
        if (badRecord) *badRecord = static_cast<int>(record);
        if (badItem) *badItem = item;
        return error;
    };
    if (db.records.size() > 0x7FFFFFFF) return fail(EncodeError::tooLong, 0, -1);
    for (char c : {'A', 'D', 'B'}) out->push_back(static_cast<uint8_t>(c));
    AppendInt32(static_cast<int32_t>(db.records.size()), out);
    for (size_t r = 0; r < db.records.size(); ++r) {
        const Record& record = db.records[r];
        if (record.items.size() > 255) return fail(EncodeError::tooLong, r, -1);
        AppendInt32(record.id, out);
        EncodeError error = AppendString(record.name, out);
        if (error != EncodeError::none) return fail(error, r, -1);
        out->push_back(static_cast<uint8_t>(record.items.size()));
        for (size_t k = 0; k < record.items.size(); ++k) {
            const Item& item = record.items[k];
            out->push_back(item.type);
            error = AppendString(item.location, out);
            if (error == EncodeError::none) error = AppendString(item.target, out);
            if (error != EncodeError::none) return fail(error, r, static_cast<int>(k));
            out->insert(out->end(), {item.killRundll32, item.killOwnProcess, item.restartExplorer});
        }
    }
    return EncodeError::none;
}

}  // namespace adb
