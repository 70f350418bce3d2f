// Which Windows the program runs on: the NT family or the 9x family, and
// whether it is the 32-bit half of 64-bit Windows. Each answer is asked of the
// system once per process and never changes.
//
// Two questions answer "is this the NT family?", and they differ where a
// compatibility layer (an AppCompatFlags entry any user may set for a program)
// makes the NT family report Windows 98:
//   HasNtCalls       what the system has; asked by whatever acts on files by
//                    handle, which must never fall back to paths there.
//   Reports9xFamily  what the system says of itself; asked where only the
//                    system's own reports differ (a process snapshot's names,
//                    which environment variables exist, the NT family's
//                    protected-storage key).
#pragma once
#include <windows.h>

namespace base {

// True when ntdll offers the NT family's handle-relative file calls
// (base/nt_file.h); the 9x family has none of them.
bool HasNtCalls();

// True when GetVersionEx reports the 9x family (Windows 95, 98, ME; platform
// identifier 1). False for the NT family, and when the system cannot say.
bool Reports9xFamily();

// True when this process is a 32-bit one on 64-bit Windows (IsWow64Process,
// looked up by name: the 9x family, NT 4 and Windows 2000 lack it).
bool RunsUnderWow64();

}  // namespace base
