#include "app/startup/value_text.h"

#include <string.h>

#include <vector>

#include "base/path_text.h"

namespace startup {

namespace {

// Values larger than this are not read at all: no Run entry is that long, and
// the list shows at most kDataTextLimit bytes of it.
constexpr DWORD kMaxValueBytes = 1 << 20;

unsigned long long LittleEndian(const BYTE* data, size_t size) {
    unsigned long long number = 0;
    for (size_t i = size; i-- > 0;) number = (number << 8) | data[i];
    return number;
}

unsigned long long BigEndian(const BYTE* data, size_t size) {
    unsigned long long number = 0;
    for (size_t i = 0; i < size; ++i) number = (number << 8) | data[i];
    return number;
}

}  // namespace

std::string CutAtWholeCharacter(const char* text, size_t length, size_t limit) {
    return std::string(text, base::FittingLength(text, length, limit));
}

std::string ValueText(DWORD type, const BYTE* data, size_t size) {
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
        const char* text = reinterpret_cast<const char*>(data);
        const void* zero = memchr(text, 0, size);
        const size_t length = zero ? static_cast<const char*>(zero) - text : size;
        return CutAtWholeCharacter(text, length, kDataTextLimit);
    }
    case REG_DWORD:
        return size == 4 ? std::to_string(LittleEndian(data, size)) : std::string();
    case REG_DWORD_BIG_ENDIAN:
        return size == 4 ? std::to_string(BigEndian(data, size)) : std::string();
    case REG_QWORD:
        return size == 8 ? std::to_string(LittleEndian(data, size)) : std::string();
    default:
        return std::string();
    }
}

std::string ReadValueText(HKEY key, const char* name) {
    // The first read uses the list's own room; longer data is read again whole
    // so that it can be cut at a character rather than lost.
    std::vector<BYTE> data(kDataTextLimit + 1);
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD type = REG_NONE;
        DWORD size = static_cast<DWORD>(data.size());
        const LONG status = RegQueryValueExA(key, name, nullptr, &type, data.data(), &size);
        if (status == ERROR_SUCCESS) return ValueText(type, data.data(), size < data.size() ? size : data.size());
        if (status != ERROR_MORE_DATA || size > kMaxValueBytes) return std::string();
        data.assign(size + 1, 0);  // the value may grow between the two reads: try again
    }
    return std::string();
}

}  // namespace startup
