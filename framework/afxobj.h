// CObject and run-time class information: IsKindOf and dynamic creation.
//
// RUNTIME_CLASS(C) calls C::GetThisClass(), a function, so it also works for
// a class whose code lives in another DLL (no address of imported data is
// needed in a static initialiser). The base class is found through a function
// pointer for the same reason.
#pragma once
#include "framework/pvfxapi.h"

class CObject;

struct PVFX_API CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                                  // 0xFFFF: not serialisable
    CObject* (PASCAL* m_pfnCreateObject)();          // NULL unless DYNCREATE
    CRuntimeClass* (PASCAL* m_pfnGetBaseClass)();    // NULL for CObject
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name)                 \
public:                                             \
    static CRuntimeClass class##class_name;         \
    static CRuntimeClass* PASCAL GetThisClass();    \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name)               \
    DECLARE_DYNAMIC(class_name)                     \
    static CObject* PASCAL CreateObject();

#define PVFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, pfnNew)                 \
    static CRuntimeClass* PASCAL _pvfxBaseOf_##class_name() {                            \
        return RUNTIME_CLASS(base_class_name);                                           \
    }                                                                                    \
    CRuntimeClass class_name::class##class_name = {                                      \
        #class_name, sizeof(class class_name), 0xFFFF, pfnNew, &_pvfxBaseOf_##class_name \
    };                                                                                   \
    CRuntimeClass* PASCAL class_name::GetThisClass() { return &class_name::class##class_name; } \
    CRuntimeClass* class_name::GetRuntimeClass() const { return &class_name::class##class_name; }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    PVFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                 \
    CObject* PASCAL class_name::CreateObject() { return new class_name; } \
    PVFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, &class_name::CreateObject)

class PVFX_API CObject {
public:
    virtual ~CObject() = default;
    static CRuntimeClass classCObject;
    static CRuntimeClass* PASCAL GetThisClass();
    virtual CRuntimeClass* GetRuntimeClass() const;
    // TRUE when this object's class is pClass or derives from it.
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

protected:
    CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};
