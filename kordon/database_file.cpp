#include "kordon/database_file.h"

#include <windows.h>

#include "base/file_size.h"
#include "base/unique_handle.h"

namespace kordon {

FileRead ReadWholeFile(const std::string& path, std::vector<uint8_t>* bytes) {
    bytes->clear();
    base::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileRead::missing
                                                                              : FileRead::unreadable;
    }
    uint64_t size = 0;
    if (!base::GetFileLength(file.get(), &size) || size > kMaxFileBytes) return FileRead::unreadable;
    bytes->resize(static_cast<size_t>(size));
    size_t done = 0;
    while (done < bytes->size()) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes->data() + done, static_cast<DWORD>(bytes->size() - done), &got, nullptr) ||
            got == 0) {
            bytes->clear();
            return FileRead::unreadable;
        }
        done += got;
    }
    return FileRead::read;
}

bool ReplaceFileContents(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::string temp = path + ".new";
    {
        base::UniqueFile file(
            CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        DWORD written = 0;
        const bool whole =
            WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size() && FlushFileBuffers(file.get());
        if (!whole) {
            file.reset();
            DeleteFileA(temp.c_str());
            return false;
        }
    }
    if (!MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temp.c_str());
        return false;
    }
    return true;
}

std::string FullPath(const char* path) {
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(path, MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(full) : std::string(path);
}

}  // namespace kordon
