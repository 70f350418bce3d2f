// Version of Purvex.exe, shown in its version resource and copied into the
// version record at the first start. Keep the text shorter than 20 characters.
#pragma once
#define PURVEX_EXE_VERSION 1, 0, 0, 1
#define PURVEX_EXE_VERSION_TEXT "1.0.0.1"
