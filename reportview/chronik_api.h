// Export macro of Chronik.dll: the library exports its report view class.
#pragma once
#ifdef CHRONIK_BUILD
#define CHRONIK_API __declspec(dllexport)
#else
#define CHRONIK_API __declspec(dllimport)
#endif
