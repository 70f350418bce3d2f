#include "kordon/kill_bit.h"

#include <vector>

#include "base/system_function.h"
#include "base/unique_handle.h"
#include "base/wow64.h"
#include "kordon/kadb_codec.h"

namespace kordon {

namespace {

// One registry view of the control's key: its access flag (0: the view this
// process sees) and where its origin flags stand in the origin byte.
struct View {
    REGSAM flag;
    int originShift;
};
constexpr View kSeenView = {0, 0};

View View64Bit() { return {base::Registry64View(), kadb::kOrigin64BitShift}; }

std::string ControlKey(const std::string& clsid) { return std::string(kCompatibilityKey) + "\\" + clsid; }

base::UniqueHKey OpenControlKey(const std::string& clsid, REGSAM access, View view) {
    base::UniqueHKey key;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, ControlKey(clsid).c_str(), 0, access | view.flag, key.put());
    return key;
}

// Under WOW64 the browsers of the two halves read two views, unless the
// system shares the control's key between them (then both open one key).
bool HasSecondView(const std::string& clsid) {
    if (!base::RunsUnderWow64()) return false;
    const base::UniqueHKey seen = OpenControlKey(clsid, KEY_QUERY_VALUE, kSeenView);
    const base::UniqueHKey other = OpenControlKey(clsid, KEY_QUERY_VALUE, View64Bit());
    return !seen || !other || !base::SameKey(seen.get(), other.get());
}

enum class Flags { absent, number, other };

// Reads the flags value of an open key; *value is set for a number.
Flags ReadFlags(HKEY key, DWORD* value) {
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof data;
    const LONG status = RegQueryValueExA(key, kFlagsValue, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
    if (status == ERROR_FILE_NOT_FOUND) return Flags::absent;
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof data) return Flags::other;
    *value = data;
    return Flags::number;
}

bool WriteFlags(HKEY key, DWORD value) {
    return RegSetValueExA(key, kFlagsValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}

bool IsEmptyKey(HKEY key) {
    DWORD subkeys = 0, values = 0;
    return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                            nullptr, nullptr) == ERROR_SUCCESS &&
           subkeys == 0 && values == 0;
}

// Deletes the control's key when it holds nothing (a key made by SetKillBit).
void DeleteKeyIfEmpty(const std::string& clsid, View view) {
    base::UniqueHKey key = OpenControlKey(clsid, KEY_QUERY_VALUE, view);
    if (!key) return;
    const bool empty = IsEmptyKey(key.get());
    key.reset();
    if (empty) base::DeleteKeyInView(HKEY_LOCAL_MACHINE, ControlKey(clsid).c_str(), view.flag);
}

bool IsSetIn(const std::string& clsid, View view) {
    const base::UniqueHKey key = OpenControlKey(clsid, KEY_QUERY_VALUE, view);
    DWORD flags = 0;
    return key && ReadFlags(key.get(), &flags) == Flags::number && (flags & kKillBit) != 0;
}

// Sets the bit in one view; *changed receives that view's origin flags
// (unshifted).
bool SetIn(const std::string& clsid, View view, uint8_t* changed) {
    *changed = 0;
    base::UniqueHKey key;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, ControlKey(clsid).c_str(), 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE | view.flag, nullptr, key.put(), &disposition) != ERROR_SUCCESS)
        return false;
    const bool newKey = disposition == REG_CREATED_NEW_KEY;

    DWORD flags = 0;
    const Flags kind = ReadFlags(key.get(), &flags);
    bool done = false;
    if (kind == Flags::number) {
        if (flags & kKillBit) {
            done = true;
        } else if (WriteFlags(key.get(), flags | kKillBit)) {
            done = true;
            *changed |= kadb::kSetBit;
        }
    } else if (kind == Flags::absent) {
        done = WriteFlags(key.get(), kKillBit);
        if (done) *changed |= kadb::kCreatedValue;
    }
    key.reset();
    if (newKey) {
        if (done) *changed |= kadb::kCreatedKey;
        else DeleteKeyIfEmpty(clsid, view);  // leave no trace of a failed attempt
    }
    return done;
}

// Clears the bit in one view and removes what origin (unshifted) says the
// library made there.
bool ClearIn(const std::string& clsid, View view, uint8_t origin) {
    base::UniqueHKey key;
    const LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, ControlKey(clsid).c_str(), 0,
                                      KEY_QUERY_VALUE | KEY_SET_VALUE | view.flag, key.put());
    if (status == ERROR_FILE_NOT_FOUND) return true;
    if (status != ERROR_SUCCESS) return false;

    DWORD flags = 0;
    bool done = true;
    if (ReadFlags(key.get(), &flags) == Flags::number) {
        const DWORD rest = flags & ~kKillBit;
        if ((origin & kadb::kCreatedValue) && rest == 0)
            done = RegDeleteValueA(key.get(), kFlagsValue) == ERROR_SUCCESS;
        else if (rest != flags)
            done = WriteFlags(key.get(), rest);
    }
    key.reset();
    if (done && (origin & kadb::kCreatedKey)) DeleteKeyIfEmpty(clsid, view);
    return done;
}

uint8_t OriginIn(uint8_t origin, View view) { return (origin >> view.originShift) & kadb::kViewOrigin; }

}  // namespace

bool IsKillBitSet(const std::string& clsid) {
    return IsSetIn(clsid, kSeenView) && (!HasSecondView(clsid) || IsSetIn(clsid, View64Bit()));
}

KillBit ReadKillBit(const std::string& clsid) {
    const bool seen = IsSetIn(clsid, kSeenView);
    const bool other = HasSecondView(clsid) ? IsSetIn(clsid, View64Bit()) : seen;
    return seen && other ? KillBit::set : !seen && !other ? KillBit::clear : KillBit::partly;
}

bool SetKillBit(const std::string& clsid, uint8_t* created) {
    uint8_t seen = 0, other = 0;
    bool done = SetIn(clsid, kSeenView, &seen);
    if (done && HasSecondView(clsid)) done = SetIn(clsid, View64Bit(), &other);
    *created = static_cast<uint8_t>(seen | (other << kadb::kOrigin64BitShift));
    return done;
}

bool ClearKillBit(const std::string& clsid, uint8_t origin) {
    std::vector<View> views = {kSeenView};
    if (HasSecondView(clsid)) views.push_back(View64Bit());
    // Only the views the library changed go back to what they were; a block
    // the library did not make is lifted in every view, as the user asks.
    bool ours = false;
    for (const View& view : views) ours = ours || OriginIn(origin, view) != 0;
    bool done = true;
    for (const View& view : views)
        if (!ours || OriginIn(origin, view) != 0) done = ClearIn(clsid, view, OriginIn(origin, view)) && done;
    return done;
}

bool KillBitWatch::Arm() {
    // Looked up by name: not every system of the 9x family has it.
    using NotifyFn = LONG(WINAPI*)(HKEY, BOOL, DWORD, HANDLE, BOOL);
    static const auto notify = base::SystemFunction<NotifyFn>("advapi32.dll", "RegNotifyChangeKeyValue");
    Stop();
    if (notify == nullptr) return false;
    std::vector<View> views = {kSeenView};
    if (base::RunsUnderWow64()) views.push_back(View64Bit());
    for (const View& view : views) {
        Watched watched;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCompatibilityKey, 0, KEY_NOTIFY | view.flag, watched.key.put()) !=
            ERROR_SUCCESS)
            return false;
        watched.changed.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        if (!watched.changed ||
            notify(watched.key.get(), TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                   watched.changed.get(), TRUE) != ERROR_SUCCESS) {
            Stop();
            return false;
        }
        views_.push_back(std::move(watched));
    }
    armed_ = true;
    return true;
}

bool KillBitWatch::Unchanged() const {
    if (!armed_) return false;
    for (const Watched& watched : views_)
        if (WaitForSingleObject(watched.changed.get(), 0) != WAIT_TIMEOUT) return false;
    return true;
}

void KillBitWatch::Stop() {
    armed_ = false;
    views_.clear();
}

}  // namespace kordon
