#include "engine/process_table.h"

#include <tlhelp32.h>
#include <string.h>

#include "base/platform.h"
#include "engine/bounded_text.h"
#include "proclist/taskwalk.h"

namespace engine {

static_assert(ProcessTable::kNameSize == kTaskwalkNameSize, "one name size for the table and the list");
static_assert(ProcessTable::kMaxEntries == kTaskwalkMaxEntries, "one table size");

namespace {

constexpr DWORD kTerminationWaitMs = 3000;

}  // namespace

ProcessTable::ProcessTable() : ntFamily_(!base::Reports9xFamily()) {
    for (auto& name : names_) name[0] = 0;
}

void ProcessTable::Refresh() {
    // Fresh slots: a one-character name holding byte 1 never matches a path.
    for (int i = 0; i < kMaxEntries; ++i) {
        names_[i][0] = 1;
        names_[i][1] = 0;
        handles_[i].reset();
    }
    count_ = 0;

    if (ntFamily_) {
        base::UniqueModule library(LoadLibraryA(TASKWALK_DLL));
        if (!library) return;
        auto list = reinterpret_cast<GetProcessListNtFn>(
            reinterpret_cast<void (*)()>(GetProcAddress(library.get(), "GetProcessList_nt")));
        if (!list) return;
        HANDLE raw[kMaxEntries] = {};
        int32_t n = list(names_, raw);
        count_ = n < 0 ? 0 : (n > kMaxEntries ? kMaxEntries : n);
        for (int i = 0; i < kMaxEntries; ++i) {
            names_[i][kNameSize - 1] = 0;  // whatever the list wrote, every name ends inside its slot
            if (raw[i]) handles_[i].reset(raw[i]);
            if (i >= count_) handles_[i].reset();
        }
        return;
    }

    base::UniqueSnapshot snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot.get(), &entry); more && count_ < kMaxEntries;
         more = Process32Next(snapshot.get(), &entry)) {
        CopyCut(names_[count_++], kNameSize, entry.szExeFile);
    }
}

int ProcessTable::Find(const char* path) const {
    if (!path || !path[0]) return -1;
    for (int i = 0; i < count_; ++i)
        if (StartsWithNoCase(names_[i], path)) return i;
    return -1;
}

namespace {

// 9x family: the termination works through a fresh snapshot.
void KillFromSnapshot(const char* path) {
    base::UniqueSnapshot snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
        if (!EqualsNoCase(entry.szExeFile, path)) continue;
        base::UniqueHandleKernel process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, entry.th32ProcessID));
        if (!process) return;
        DWORD code = 0;
        GetExitCodeProcess(process.get(), &code);
        if (TerminateProcess(process.get(), code)) WaitForSingleObject(process.get(), INFINITE);
        return;
    }
}

}  // namespace

void KillProcessByPath(ProcessTable& table, const char* path) {
    if (!path || !path[0]) return;
    if (!table.NtFamily()) KillFromSnapshot(path);
    int i = table.Find(path);
    // A briefly bounded wait lets the image file go before the repair deletes it.
    if (i >= 0 && table.Handle(i) && TerminateProcess(table.Handle(i), 0))
        WaitForSingleObject(table.Handle(i), kTerminationWaitMs);
}

}  // namespace engine
