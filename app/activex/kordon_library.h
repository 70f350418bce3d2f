// The block-list library Kordon.dll, loaded by name and bound by the names of
// its exports. Without the library (or without one export) every call answers
// as an empty, unloaded database and nothing reaches the library.
#pragma once
#include <windows.h>

#include "base/unique_handle.h"
#include "kordon/kordon.h"

namespace activex {

class KordonLibrary {
public:
    // Loads the library by file name and binds its eleven exports; false when
    // it cannot be loaded.
    bool Load(const char* fileName);
    // Frees the library; every later call answers as without it.
    void Free();
    bool loaded() const { return static_cast<bool>(module_); }

    int DBLoad(const char* path) { return dbLoad_ ? dbLoad_(path) : 0; }
    ActiveXBlockRecord* GetListItem() { return getListItem_ ? getListItem_() : nullptr; }
    int GetDBCount() { return getDbCount_ ? getDbCount_() : 0; }
    int GetKillbitCount() { return getKillbitCount_ ? getKillbitCount_() : 0; }
    int Lock(const char* clsid) { return lock_ ? lock_(clsid) : 0; }
    int UnLock(const char* clsid) { return unlock_ ? unlock_(clsid) : 0; }
    int DBAdd(const ActiveXBlockRecord* record) { return dbAdd_ ? dbAdd_(record) : 0; }
    int DBEdit(const char* oldClsid, const ActiveXBlockRecord* record) {
        return dbEdit_ ? dbEdit_(oldClsid, record) : 0;
    }
    int DBDel(const ActiveXBlockRecord* record) { return dbDel_ ? dbDel_(record) : 0; }
    int DBSave() { return dbSave_ ? dbSave_() : 0; }
    int DBUnLoad() { return dbUnload_ ? dbUnload_() : 0; }

private:
    template <typename Fn>
    Fn Bind(const char* name) const {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_.get(), name)));
    }

    base::UniqueModule module_;
    ActivexBlockDBLoadFn dbLoad_ = nullptr;
    ActivexBlockGetListItemFn getListItem_ = nullptr;
    ActivexBlockGetDBCountFn getDbCount_ = nullptr;
    ActivexBlockGetKillbitCountFn getKillbitCount_ = nullptr;
    ActivexBlockLockFn lock_ = nullptr;
    ActivexBlockUnLockFn unlock_ = nullptr;
    ActivexBlockDBAddFn dbAdd_ = nullptr;
    ActivexBlockDBEditFn dbEdit_ = nullptr;
    ActivexBlockDBDelFn dbDel_ = nullptr;
    ActivexBlockDBSaveFn dbSave_ = nullptr;
    ActivexBlockDBUnLoadFn dbUnload_ = nullptr;
};

}  // namespace activex
