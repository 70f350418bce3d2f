// The "Add or Remove Programs" entry the setup program makes
// (installer/purvex.nsi): its DisplayVersion names the installed Purvex.exe.
#pragma once

namespace freshen {

// "Software\Microsoft\Windows\CurrentVersion\Uninstall\Purvex" under the
// local-machine root.
extern const char kUninstallKeyPath[];

// Sets the entry's DisplayVersion to version when the entry exists and its
// InstallLocation names folder (the same path, letter case and a trailing
// backslash aside, or the same folder where the system tells identities).
// False, nothing changed, otherwise: a portable copy never touches the entry
// of an installed one.
bool UpdateDisplayVersion(const char* folder, const char* version);

}  // namespace freshen
