// Named markers by which the release's programs, and its setup program, see
// each other across logged-on users: a marker is a named mutex that exists
// while some process holds a handle on it (its ownership is never used). Each
// lives in the global namespace where the system has one (Windows 2000 and
// later: "Global\" + name) and under the plain name elsewhere (the 9x family,
// NT 4). installer/running_programs.nsh spells the names again.
#pragma once
#include <windows.h>

#include "base/unique_handle.h"

namespace base {

// Held by every program of the release (Purvex.exe, Freshen.exe,
// PurvexScan.exe) for its whole run: the setup program waits for it to go.
inline constexpr char kRunningMarker[] = "PurvexRunning";
// Held while a scan or a cure runs (the scan page, PurvexScan.exe): one at a
// time on the machine, and the setup program waits for it before ending a program.
inline constexpr char kWorkMarker[] = "PurvexWork";

class ProgramMarker {
public:
    // Holds the marker name, made or joined. *existed tells whether some
    // other process held it already. Not held() when it could not be made.
    static ProgramMarker Hold(const char* name, bool* existed = nullptr);
    // Holds name only when no other process holds it; not held() otherwise.
    static ProgramMarker Claim(const char* name);
    // Whether some process holds name now.
    static bool Held(const char* name);

    bool held() const { return static_cast<bool>(handle_); }
    void Release() { handle_.reset(); }

private:
    UniqueHandleKernel handle_;
};

}  // namespace base
