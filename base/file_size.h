// File size, file pointer and contents through the calls every supported
// Windows has: GetFileSize and SetFilePointer with their high words (the 9x
// family lacks the ...Ex forms), ReadFile and WriteFile.
#pragma once
#include <windows.h>
#include <cstdint>

namespace base {

// The size of the open file. False (size untouched) when the system cannot
// tell it.
bool GetFileLength(HANDLE file, uint64_t* size);

// Moves the file pointer by offset from method (FILE_BEGIN, FILE_CURRENT,
// FILE_END). True with the new position in *position (when not null); false,
// position untouched, when the move fails.
bool SeekFile(HANDLE file, int64_t offset, DWORD method, uint64_t* position = nullptr);

// Copies the open file from, from its file pointer to its end, into to at
// its file pointer. False when a read or a write fails.
bool CopyBytes(HANDLE from, HANDLE to);

}  // namespace base
