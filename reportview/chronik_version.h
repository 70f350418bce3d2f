// Version of Chronik.dll, shown in its version resource and copied into the
// version record at the program's first start. Shorter than 20 characters.
#pragma once
#define CHRONIK_DLL_VERSION 1, 0, 0, 1
#define CHRONIK_DLL_VERSION_TEXT "1.0.0.1"
