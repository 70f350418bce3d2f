// CObject and its run-time class information.
#include "framework/internal.h"

CRuntimeClass CObject::classCObject = { "CObject", sizeof(CObject), 0xFFFF, nullptr, nullptr };
CRuntimeClass* PASCAL CObject::GetThisClass() { return &CObject::classCObject; }
CRuntimeClass* CObject::GetRuntimeClass() const { return &CObject::classCObject; }

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
    // Compared by address: each class's information exists once, in the
    // module that implements the class.
    for (const CRuntimeClass* p = GetRuntimeClass(); p != nullptr;
         p = p->m_pfnGetBaseClass ? p->m_pfnGetBaseClass() : nullptr) {
        if (p == pClass) return TRUE;
    }
    return FALSE;
}

CObject* PvfxCreateObject(const CRuntimeClass* pClass) {
    return pClass != nullptr && pClass->m_pfnCreateObject ? pClass->m_pfnCreateObject() : nullptr;
}
