// A stand-in for the engine library with only its version export: lets the
// shell's tests control the text that ends up in the version record.
#include "engine/purvex_engine.h"

extern "C" __declspec(dllexport) const char* __cdecl ftool_GetVer(void) {
    return "2004.12.24 beta";
}
