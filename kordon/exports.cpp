// Kordon.dll's exports: one process-wide block list behind eleven C functions.
#include "kordon/block_list.h"
#include "kordon/kordon.h"

namespace {
kordon::BlockList& List() {
    static kordon::BlockList list;
    return list;
}
}  // namespace

extern "C" {

int __cdecl ActivexBlockDBLoad(const char* path) { return List().Load(path); }
ActiveXBlockRecord* __cdecl ActivexBlockGetListItem(void) { return List().First(); }
int __cdecl ActivexBlockGetDBCount(void) { return List().Count(); }
int __cdecl ActivexBlockGetKillbitCount(void) { return List().KillbitCount(); }
int __cdecl ActivexBlockLock(const char* clsid) { return List().Lock(clsid); }
int __cdecl ActivexBlockUnLock(const char* clsid) { return List().Unlock(clsid); }
int __cdecl ActivexBlockDBAdd(const ActiveXBlockRecord* record) { return List().Add(record); }
int __cdecl ActivexBlockDBEdit(const char* oldClsid, const ActiveXBlockRecord* record) {
    return List().Edit(oldClsid, record);
}
int __cdecl ActivexBlockDBDel(const ActiveXBlockRecord* record) { return List().Delete(record); }
int __cdecl ActivexBlockDBSave(void) { return List().Save(); }
int __cdecl ActivexBlockDBUnLoad(void) { return List().Unload(); }

}  // extern "C"
