#include "adb/adb_codec.h"

#include <string.h>

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
    // Reads byte by byte in effect: a zero within the first 255 bytes ends the
    // text; otherwise the text is absent after 255 bytes (or at the end).
    // A present text is appended to texts with its zero byte.
    TextRef String(std::vector<char>* texts) {
        TextRef ref;
        size_t window = std::min(size_ - pos_, kMaxStringLength + 1);
        const uint8_t* start = data_ + pos_;
        const void* zero = window ? memchr(start, 0, window) : nullptr;
        if (!zero) {
            pos_ += window;
            return ref;
        }
        size_t length = static_cast<size_t>(static_cast<const uint8_t*>(zero) - start);
        ref.offset = static_cast<uint32_t>(texts->size());
        ref.length = static_cast<int32_t>(length);
        texts->resize(ref.offset + length + 1);
        char* out = texts->data() + ref.offset;
        for (size_t i = 0; i < length; ++i) out[i] = static_cast<char>((start[i] + 30 - static_cast<int>(i)) & 0xFF);
        out[length] = 0;
        pos_ += length + 1;
        return ref;
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

PackedItem ReadItem(ByteReader& r, std::vector<char>* texts) {
    PackedItem item;
    item.type = r.Flag();
    item.location = r.String(texts);
    item.target = r.String(texts);
    item.killRundll32 = r.Flag();
    item.killOwnProcess = r.Flag();
    item.restartExplorer = r.Flag();
    return item;
}

Text Unpack(const PackedDatabase& db, TextRef ref) {
    if (!ref.present()) return std::nullopt;
    return std::string(db.Text(ref), static_cast<size_t>(ref.length));
}

// The smallest record the file can hold: id, an empty name, itemCount.
constexpr size_t kMinRecordBytes = 4 + 1 + 1;

}  // namespace

Text ReadString(const uint8_t* data, size_t size, size_t* pos) {
    ByteReader r(data, size, *pos);
    PackedDatabase scratch;
    TextRef ref = r.String(&scratch.texts);
    *pos = r.Pos();
    return Unpack(scratch, ref);
}

bool DecodePacked(const uint8_t* data, size_t size, PackedDatabase* out) {
    out->texts.clear();
    out->records.clear();
    out->items.clear();
    ByteReader r(data, size);
    if (!MagicMatches(r)) return false;
    int32_t count = r.Int32();
    if (count <= 0) return true;

    // Every kept record and item begins inside the file and every text's
    // bytes come from it, so the file size bounds all three tables.
    out->texts.reserve(r.Remaining() + 1);
    size_t backed = r.Remaining() / kMinRecordBytes + 1;
    out->records.reserve(std::min(static_cast<size_t>(count), backed));
    for (int32_t i = 0; i < count && !r.AtEnd(); ++i) {
        PackedRecord record;
        record.id = r.Int32();
        record.name = r.String(&out->texts);
        record.firstItem = static_cast<uint32_t>(out->items.size());
        int itemCount = r.Byte();  // past the end: no items
        for (int k = 0; k < itemCount && !r.AtEnd(); ++k) out->items.push_back(ReadItem(r, &out->texts));
        record.itemCount = static_cast<uint32_t>(out->items.size()) - record.firstItem;
        out->records.push_back(record);
    }
    return true;
}

bool Decode(const uint8_t* data, size_t size, Database* out) {
    out->records.clear();
    PackedDatabase packed;
    if (!DecodePacked(data, size, &packed)) return false;
    out->records.reserve(packed.records.size());
    for (const PackedRecord& p : packed.records) {
        Record record;
        record.id = p.id;
        record.name = Unpack(packed, p.name);
        record.items.reserve(p.itemCount);
        for (uint32_t k = 0; k < p.itemCount; ++k) {
            const PackedItem& q = packed.items[p.firstItem + k];
            Item item;
            item.type = q.type;
            item.location = Unpack(packed, q.location);
            item.target = Unpack(packed, q.target);
            item.killRundll32 = q.killRundll32;
            item.killOwnProcess = q.killOwnProcess;
            item.restartExplorer = q.restartExplorer;
            record.items.push_back(std::move(item));
        }
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
