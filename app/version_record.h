// The version record: one registry key under the local machine with the
// installed version of each replaceable file and the start-page setting.
// This program writes it in full once, at its first start on a machine; the
// updater and the start-page settings change single values afterwards.
#pragma once
#include <windows.h>

#include <string>

#include "base/version_key.h"
#include "engine/purvex_engine.h"

namespace shell {

using base::kVersionKeyPath;

// Writes the record under root\path unless that key already exists: an
// existing record is never rewritten, even when the installed files changed.
// Values are REG_SZ stored without a terminating zero, in this order:
// "Purvex.exe" and "Chronik.dll" (their FileVersion texts), "Purvex.dll" (the
// engine's ftool_GetVer text), "KordonDll.dll", "PurvexADB" and "KordonADB"
// (the shipped versions of app/purvex_version.h: "1.0a", "2004.10.06" and
// "2004.10.06"), "StartPage" "about:blank", then one value for each file of
// the updater's table that carries no version text of its own (PvFrame.dll,
// Taskwalk.dll, NKShellAPI.dll, Freshen.exe): the release's version,
// Purvex.exe's FileVersion text. When the engine library
// cannot be loaded, shows the missing-engine message (owned by owner) and
// stores an empty "Purvex.dll" value, so the updater treats any server version
// as newer; the other values are written all the same. Failures to create the
// key or set a value are not reported. The engine library is loaded by name
// (the normal search finds it beside the main program).
void WriteVersionRecord(HWND owner, HKEY root = HKEY_LOCAL_MACHINE, const char* path = kVersionKeyPath,
                        const char* engineLibrary = PURVEX_ENGINE_DLL);

// The FileVersion text of a file in the main program's folder ("Purvex.exe",
// "Chronik.dll"), taken from the string block of the first translation;
// empty when the file has no version information or no such text.
std::string ReadFileVersion(const char* fileName);

}  // namespace shell
