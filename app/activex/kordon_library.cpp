#include "app/activex/kordon_library.h"

namespace activex {

bool KordonLibrary::Load(const char* fileName) {
    Free();
    module_.reset(LoadLibraryA(fileName));
    if (!module_) return false;
    dbLoad_ = Bind<ActivexBlockDBLoadFn>("ActivexBlockDBLoad");
    getListItem_ = Bind<ActivexBlockGetListItemFn>("ActivexBlockGetListItem");
    getDbCount_ = Bind<ActivexBlockGetDBCountFn>("ActivexBlockGetDBCount");
    getKillbitCount_ = Bind<ActivexBlockGetKillbitCountFn>("ActivexBlockGetKillbitCount");
    lock_ = Bind<ActivexBlockLockFn>("ActivexBlockLock");
    unlock_ = Bind<ActivexBlockUnLockFn>("ActivexBlockUnLock");
    dbAdd_ = Bind<ActivexBlockDBAddFn>("ActivexBlockDBAdd");
    dbEdit_ = Bind<ActivexBlockDBEditFn>("ActivexBlockDBEdit");
    dbDel_ = Bind<ActivexBlockDBDelFn>("ActivexBlockDBDel");
    dbSave_ = Bind<ActivexBlockDBSaveFn>("ActivexBlockDBSave");
    dbUnload_ = Bind<ActivexBlockDBUnLoadFn>("ActivexBlockDBUnLoad");
    return true;
}

void KordonLibrary::Free() {
    *this = KordonLibrary();  // the pointers go with the module
}

}  // namespace activex
