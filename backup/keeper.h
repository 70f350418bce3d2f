// Keeping what a cure removes in a backup folder (backup/manifest.h), so
// that it can be put back (backup/restore.h). With a keeper, nothing is
// removed that could not be kept first:
//  - a file or folder tree is moved into the folder through the deletion
//    layer (base/deletion.h), the move being its removal: never through a
//    link, byte for byte with its attributes, every file renamed to end in
//    ".bak";
//  - a registry key tree or value is written to a REGEDIT4 file first and
//    removed only then;
//  - settings about to be rewritten (the Winsock catalog, the browser's
//    pages) are written as they are, or as absent.
// Each kept item gets an entry in the folder's lists, with the digest of
// what is kept of it, and the manifest is sealed anew (backup/seal.h).
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "backup/manifest.h"
#include "base/deletion.h"
#include "base/registry_links.h"

namespace backup {

class Keeper {
public:
    // Opens folder, one of the program's backup folders, making it and the
    // folders on its way when absent (backup/backup_folder.h). A backup
    // already in it is added to when its seal checks (or no seal can be
    // checked on this machine). Not ok() when folder is no backup folder of
    // the program, a folder on the way or the folder itself is a link, or
    // the backup in it is not as its seal says.
    explicit Keeper(const std::string& folder);
    bool ok() const { return folder_.ok(); }
    const std::string& path() const { return folder_.path(); }

    // Moves a held file or folder in. view64: the item lies in the 64-bit
    // half and was reached with the file redirection off (as the move must
    // be). True when nothing of it is left at its place.
    bool KeepFileOrFolder(base::HeldItem& item, bool view64, const std::string& record);

    // Saves the held key with everything below it (or one value of it), then
    // calls remove, which removes it. Returns remove's outcome; nothing is
    // removed (false) when it could not be saved first. The place kept is
    // where the key really is (base::HeldKey::RealPlace), so that a restore
    // never needs to pass a link, and on 64-bit Windows such a place is
    // marked for the 64-bit view, which names every key as it is. A link
    // below the key is not kept (it holds no data, and a restore never makes
    // one); a held key that is a link has nothing to keep and is only removed.
    bool KeepKey(const base::HeldKey& key, bool view64, const std::string& record,
                 const std::function<bool()>& remove);
    bool KeepValue(const base::HeldKey& key, const std::string& name, bool view64, const std::string& record,
                   const std::function<bool()>& remove);

    // Values about to be rewritten, saved as they are now (in this process's
    // view) in one REGEDIT4 file, each at the place its key really is (as
    // KeepKey's); record names what rewrites them.
    struct Setting {
        HKEY root;
        std::string subkey, name;
    };
    bool KeepSettings(const std::vector<Setting>& settings, const std::string& record);

    // Copies of what a removal at the next start of Windows takes while it
    // is still in use (backup/kept_copies.cpp): a held file, or every file left
    // in a held folder (links aside), read through the deletion layer and
    // written byte for byte with its times and attributes under the names a
    // move would give them. *stored names the copy in the backup folder. A
    // copy is listed only by ListCopy. False, with nothing of it left, when a
    // file cannot be read (held open without sharing, no access).
    bool CopyIn(const base::HeldItem& item, std::string* stored);
    // Lists the copy of item: its original place, and for a folder that it
    // joins whatever is at its place when it goes back (restore).
    void ListCopy(const base::HeldItem& item, const std::string& stored, bool view64, const std::string& record);
    // Removes a copy made by CopyIn and never listed.
    void DropCopy(const std::string& stored);

private:
    // Writes text as a new "NNNN.reg"; its name comes back in *stored.
    bool WriteRegFile(const std::string& text, std::string* stored);
    void DropOwnFile(const std::string& name);
    // Lists entry with the digest of what is stored of it, and seals the lists.
    void Append(Entry entry);

    base::OpenFolder folder_;
    int next_ = 1;  // the number the next kept item's name begins with
    std::vector<Entry> entries_;                   // the manifest as this keeper wrote it
    std::map<std::string, std::string> written_;  // digests of the REGEDIT4 files written, by name
};

}  // namespace backup
