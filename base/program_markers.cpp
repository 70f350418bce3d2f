#include "base/program_markers.h"

#include <string>

namespace base {

namespace {

// The global name first; where the system has no such namespace (a name with
// a backslash is refused there), the plain one.
HANDLE CreateMarker(const char* name, bool* existed) {
    const std::string global = std::string("Global\\") + name;
    HANDLE handle = CreateMutexA(nullptr, FALSE, global.c_str());
    if (!handle) handle = CreateMutexA(nullptr, FALSE, name);
    *existed = handle && GetLastError() == ERROR_ALREADY_EXISTS;
    return handle;
}

}  // namespace

ProgramMarker ProgramMarker::Hold(const char* name, bool* existed) {
    bool there = false;
    ProgramMarker marker;
    marker.handle_.reset(CreateMarker(name, &there));
    if (existed) *existed = there;
    return marker;
}

ProgramMarker ProgramMarker::Claim(const char* name) {
    bool existed = false;
    ProgramMarker marker = Hold(name, &existed);
    if (existed) marker.Release();
    return marker;
}

bool ProgramMarker::Held(const char* name) {
    const std::string global = std::string("Global\\") + name;
    UniqueHandleKernel handle(OpenMutexA(SYNCHRONIZE, FALSE, global.c_str()));
    if (!handle) handle.reset(OpenMutexA(SYNCHRONIZE, FALSE, name));
    return static_cast<bool>(handle);
}

}  // namespace base
