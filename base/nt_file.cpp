#include "base/nt_file.h"

#include <string.h>

#include "base/unique_handle.h"

namespace base {
namespace nt {

namespace {

using Status = LONG;
constexpr Status kNoMoreFiles = static_cast<Status>(0x80000006);
constexpr Status kInvalidInfoClass = static_cast<Status>(0xC0000003);
constexpr Status kNotImplemented = static_cast<Status>(0xC0000002);
constexpr Status kInvalidParameter = static_cast<Status>(0xC000000D);
constexpr Status kNoSuchFile = static_cast<Status>(0xC000000F);
constexpr Status kNameNotFound = static_cast<Status>(0xC0000034);
constexpr Status kPathNotFound = static_cast<Status>(0xC000003A);
constexpr Status kNameCollision = static_cast<Status>(0xC0000035);

constexpr ULONG kCaseInsensitive = 0x40;  // OBJ_CASE_INSENSITIVE
constexpr ULONG kOpenExisting = 1;        // FILE_OPEN
constexpr ULONG kCreateNew = 2;           // FILE_CREATE
constexpr ULONG kSynchronousIo = 0x20;    // FILE_SYNCHRONOUS_IO_NONALERT
constexpr ULONG kBackupIntent = 0x4000;   // FILE_OPEN_FOR_BACKUP_INTENT
constexpr ULONG kOpenReparsePoint = 0x200000;
constexpr ULONG kDirectoryOption = 0x1;  // FILE_DIRECTORY_FILE

constexpr ULONG kDirectoryInformation = 1;      // FileDirectoryInformation: every NT
constexpr ULONG kIdBothDirectoryInformation = 37;  // with file ids and short names: XP and later
constexpr ULONG kBasicInformation = 4;
constexpr ULONG kStandardInformation = 5;
constexpr ULONG kInternalInformation = 6;
constexpr ULONG kDispositionInformation = 13;
constexpr ULONG kRenameInformation = 10;

struct CountedName {
    USHORT length, maximumLength;
    const wchar_t* buffer;
};
struct ObjectAttributes {
    ULONG length;
    HANDLE root;
    CountedName* name;
    ULONG attributes;
    void* securityDescriptor;
    void* securityQos;
};
struct IoStatus {
    union {
        Status status;
        void* pointer;
    };
    ULONG_PTR information;
};
// The fixed parts of the two listing records; the name follows.
struct DirectoryRecord {
    ULONG nextEntryOffset, fileIndex;
    LARGE_INTEGER creation, lastAccess, lastWrite, change, endOfFile, allocation;
    ULONG attributes, nameLength;
};
struct IdBothDirectoryRecord {
    DirectoryRecord head;
    ULONG eaSize;
    CCHAR shortNameLength;
    WCHAR shortName[12];
    LARGE_INTEGER fileId;
};
struct StandardInformation {
    LARGE_INTEGER allocationSize, endOfFile;
    ULONG numberOfLinks;
    BOOLEAN deletePending, directory;
};
struct BasicInformation {
    LARGE_INTEGER creation, lastAccess, lastWrite, change;
    ULONG attributes;
};
// FILE_RENAME_INFORMATION; the name follows the fixed part.
struct RenameInformation {
    BOOLEAN replaceIfExists;
    HANDLE rootDirectory;
    ULONG nameLength;
    WCHAR name[1];
};

using CreateFileFn = Status(NTAPI*)(HANDLE*, ACCESS_MASK, ObjectAttributes*, IoStatus*, LARGE_INTEGER*, ULONG, ULONG,
                                    ULONG, ULONG, void*, ULONG);
using QueryDirectoryFn = Status(NTAPI*)(HANDLE, HANDLE, void*, void*, IoStatus*, void*, ULONG, ULONG, BOOLEAN,
                                        CountedName*, BOOLEAN);
using SetInformationFn = Status(NTAPI*)(HANDLE, IoStatus*, void*, ULONG, ULONG);
using QueryInformationFn = Status(NTAPI*)(HANDLE, IoStatus*, void*, ULONG, ULONG);

struct Calls {
    CreateFileFn createFile = nullptr;
    QueryDirectoryFn queryDirectory = nullptr;
    SetInformationFn setInformation = nullptr;
    QueryInformationFn queryInformation = nullptr;
};

template <typename Fn>
Fn Lookup(HMODULE ntdll, const char* name) {
    return ntdll ? reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(ntdll, name))) : nullptr;
}

const Calls& Ntdll() {
    static const Calls calls = [] {
        const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        Calls found;
        found.createFile = Lookup<CreateFileFn>(ntdll, "NtCreateFile");
        found.queryDirectory = Lookup<QueryDirectoryFn>(ntdll, "NtQueryDirectoryFile");
        found.setInformation = Lookup<SetInformationFn>(ntdll, "NtSetInformationFile");
        found.queryInformation = Lookup<QueryInformationFn>(ntdll, "NtQueryInformationFile");
        return found;
    }();
    return calls;
}

std::wstring NameOf(const WCHAR* text, ULONG bytes) { return std::wstring(text, bytes / sizeof(WCHAR)); }

bool IsDotName(const std::wstring& name) { return name == L"." || name == L".."; }

// Appends the records of one buffer; false when it holds a malformed record.
bool TakeRecords(const BYTE* buffer, ULONG_PTR filled, ULONG infoClass, std::vector<DirEntry>* entries) {
    const size_t headSize = infoClass == kIdBothDirectoryInformation ? sizeof(IdBothDirectoryRecord)
                                                                     : sizeof(DirectoryRecord);
    for (ULONG_PTR at = 0; at + headSize <= filled;) {
        const auto* record = reinterpret_cast<const DirectoryRecord*>(buffer + at);
        if (at + headSize + record->nameLength > filled) return false;
        DirEntry entry;
        entry.name = NameOf(reinterpret_cast<const WCHAR*>(buffer + at + headSize), record->nameLength);
        entry.attributes = record->attributes;
        if (infoClass == kIdBothDirectoryInformation) {
            const auto* both = reinterpret_cast<const IdBothDirectoryRecord*>(record);
            const ULONG shortBytes = static_cast<BYTE>(both->shortNameLength);
            if (shortBytes <= sizeof both->shortName) entry.shortName = NameOf(both->shortName, shortBytes);
            entry.fileId = static_cast<ULONGLONG>(both->fileId.QuadPart);
        }
        if (!IsDotName(entry.name)) entries->push_back(std::move(entry));
        if (record->nextEntryOffset == 0) break;
        at += record->nextEntryOffset;
    }
    return true;
}

bool ListWith(HANDLE folder, ULONG infoClass, std::vector<DirEntry>* entries, Status* failure) {
    std::vector<LONGLONG> buffer(64 * 1024 / sizeof(LONGLONG));  // records are 8-byte aligned
    for (BOOLEAN restart = TRUE;; restart = FALSE) {
        IoStatus io = {};
        const Status status =
            Ntdll().queryDirectory(folder, nullptr, nullptr, nullptr, &io, buffer.data(),
                                   static_cast<ULONG>(buffer.size() * sizeof(LONGLONG)), infoClass, FALSE, nullptr,
                                   restart);
        if (status == kNoMoreFiles) return true;
        if (status < 0) {
            *failure = status;
            return false;
        }
        if (!TakeRecords(reinterpret_cast<const BYTE*>(buffer.data()), io.information, infoClass, entries))
            return false;
    }
}

}  // namespace

bool Available() {
    const Calls& calls = Ntdll();
    return calls.createFile && calls.queryDirectory && calls.setInformation && calls.queryInformation;
}

namespace {
// NtCreateFile of one name relative to parent (the empty name: parent itself,
// opened anew); the status comes back.
HANDLE CreateOrOpen(HANDLE parent, const std::wstring& name, ACCESS_MASK access, ULONG share, ULONG disposition,
                    ULONG options, DWORD attributes, Status* status) {
    *status = 0;
    if (!Available() || !parent || name.size() > 0x7FFF) return INVALID_HANDLE_VALUE;
    CountedName counted = {static_cast<USHORT>(name.size() * sizeof(wchar_t)),
                           static_cast<USHORT>(name.size() * sizeof(wchar_t)), name.c_str()};
    ObjectAttributes object = {sizeof object, parent, &counted, kCaseInsensitive, nullptr, nullptr};
    IoStatus io = {};
    HANDLE opened = nullptr;
    *status = Ntdll().createFile(&opened, access | SYNCHRONIZE, &object, &io, nullptr, attributes, share, disposition,
                                 options | kOpenReparsePoint | kSynchronousIo | kBackupIntent, nullptr, 0);
    return *status < 0 || !opened ? INVALID_HANDLE_VALUE : opened;
}
}  // namespace

HANDLE OpenRelative(HANDLE parent, const std::wstring& name, ACCESS_MASK access, ULONG share, ULONG options,
                    bool* gone) {
    Status status = 0;
    HANDLE opened = name.empty() ? INVALID_HANDLE_VALUE
                                 : CreateOrOpen(parent, name, access, share, kOpenExisting, options, 0, &status);
    *gone = status == kNameNotFound || status == kPathNotFound || status == kNoSuchFile;
    return opened;
}

HANDLE CreateRelative(HANDLE parent, const std::wstring& name, ACCESS_MASK access, ULONG share, ULONG options,
                      DWORD attributes, bool* exists) {
    Status status = 0;
    HANDLE made = name.empty() ? INVALID_HANDLE_VALUE
                               : CreateOrOpen(parent, name, access, share, kCreateNew, options, attributes, &status);
    *exists = status == kNameCollision;
    return made;
}

bool MoveTo(HANDLE item, HANDLE destination, const std::wstring& name) {
    if (!Available() || name.empty() || name.size() > 0x7FFF) return false;
    const ULONG bytes = static_cast<ULONG>(name.size() * sizeof(wchar_t));
    std::vector<BYTE> buffer(sizeof(RenameInformation) + bytes);
    RenameInformation* rename = reinterpret_cast<RenameInformation*>(buffer.data());
    rename->replaceIfExists = FALSE;
    rename->rootDirectory = destination;
    rename->nameLength = bytes;
    memcpy(rename->name, name.data(), bytes);
    IoStatus io = {};
    return Ntdll().setInformation(item, &io, rename, static_cast<ULONG>(buffer.size()), kRenameInformation) >= 0;
}

bool CopyTimesAndAttributes(HANDLE from, HANDLE to) {
    if (!Available()) return false;
    BasicInformation basic = {};
    IoStatus io = {};
    if (Ntdll().queryInformation(from, &io, &basic, sizeof basic, kBasicInformation) < 0) return false;
    if (!basic.attributes) basic.attributes = FILE_ATTRIBUTE_NORMAL;
    return Ntdll().setInformation(to, &io, &basic, sizeof basic, kBasicInformation) >= 0;
}

bool ListFolder(HANDLE open, std::vector<DirEntry>* entries) {
    // Systems before XP do not know the record with file ids: they get the
    // plain one, once and for all.
    static volatile LONG plainOnly = 0;
    if (!Available()) return false;
    // The folder opened anew through its own handle (an empty name relative
    // to it): Wine lists a handle's folder as it was at the handle's first
    // listing, however often the scan restarts.
    Status reopened = 0;
    const UniqueFile anew(CreateOrOpen(open, std::wstring(), FILE_LIST_DIRECTORY,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, kOpenExisting,
                                       kDirectoryOption, 0, &reopened));
    const HANDLE folder = anew ? anew.get() : open;
    Status failure = 0;
    if (!plainOnly) {
        if (ListWith(folder, kIdBothDirectoryInformation, entries, &failure)) return true;
        if (failure != kInvalidInfoClass && failure != kNotImplemented && failure != kInvalidParameter) return false;
        InterlockedExchange(&plainOnly, 1);
        entries->clear();
    }
    return ListWith(folder, kDirectoryInformation, entries, &failure);
}

bool QueryIndex(HANDLE handle, ULONGLONG* index, DWORD* attributes) {
    if (!Available()) return false;
    LARGE_INTEGER internal = {};
    BasicInformation basic = {};
    IoStatus io = {};
    if (Ntdll().queryInformation(handle, &io, &internal, sizeof internal, kInternalInformation) < 0 ||
        Ntdll().queryInformation(handle, &io, &basic, sizeof basic, kBasicInformation) < 0)
        return false;
    *index = static_cast<ULONGLONG>(internal.QuadPart);
    *attributes = basic.attributes;
    return true;
}

bool LinkCount(HANDLE handle, ULONG* links) {
    if (!Available()) return false;
    StandardInformation standard = {};
    IoStatus io = {};
    if (Ntdll().queryInformation(handle, &io, &standard, sizeof standard, kStandardInformation) < 0) return false;
    *links = standard.numberOfLinks;
    return true;
}

bool MarkForDeletion(HANDLE handle) {
    if (!Available()) return false;
    BOOLEAN deleteFile = TRUE;
    IoStatus io = {};
    return Ntdll().setInformation(handle, &io, &deleteFile, sizeof deleteFile, kDispositionInformation) >= 0;
}

bool SetAttributes(HANDLE handle, DWORD attributes) {
    if (!Available()) return false;
    BasicInformation basic = {};
    basic.attributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;  // 0 would mean "unchanged"
    IoStatus io = {};
    return Ntdll().setInformation(handle, &io, &basic, sizeof basic, kBasicInformation) >= 0;
}

}  // namespace nt
}  // namespace base
