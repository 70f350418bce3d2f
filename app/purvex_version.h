// The versions this release ships, each written here once. Purvex.exe's
// version resource carries its own; the version record that the program
// writes at its first start names the others, which carry none in their
// files. installer/purvex.nsi and scripts/publish-update.sh read the texts
// below, so keep each on one line. Every text is shorter than 20 characters.
#pragma once
#define PURVEX_EXE_VERSION 1, 0, 0, 1
#define PURVEX_EXE_VERSION_TEXT "1.0.0.1"
#define KORDON_DLL_SHIPPED_VERSION "1.0a"
#define PURVEX_ADB_SHIPPED_VERSION "2004.10.06"
#define KORDON_ADB_SHIPPED_VERSION "2004.10.06"
