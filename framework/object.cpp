// CObject, CRuntimeClass and CObList.
#include "framework/afxwin.h"

CRuntimeClass CObject::classCObject = { "CObject", sizeof(CObject), 0xFFFF, nullptr, nullptr };
CRuntimeClass* PASCAL CObject::GetThisClass() { return &CObject::classCObject; }
CRuntimeClass* CObject::GetRuntimeClass() const { return &CObject::classCObject; }

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

CObject* CRuntimeClass::CreateObject() {
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
    // Compared by address: each class's information exists once, in the
    // module that implements the class.
    for (const CRuntimeClass* p = this; p != nullptr; p = p->GetBaseClass())
        if (p == pBaseClass) return TRUE;
    return FALSE;
}

CObList::~CObList() { RemoveAll(); }

CObject*& CObList::GetHead() { return m_pHead->data; }
CObject* CObList::GetHead() const { return m_pHead->data; }
CObject*& CObList::GetTail() { return m_pTail->data; }
CObject* CObList::GetTail() const { return m_pTail->data; }

CObject* CObList::RemoveHead() {
    CObject* data = m_pHead->data;
    RemoveAt(reinterpret_cast<POSITION>(m_pHead));
    return data;
}

CObject* CObList::RemoveTail() {
    CObject* data = m_pTail->data;
    RemoveAt(reinterpret_cast<POSITION>(m_pTail));
    return data;
}

POSITION CObList::AddHead(CObject* newElement) {
    return m_pHead ? InsertBefore(GetHeadPosition(), newElement) : AddTail(newElement);
}

POSITION CObList::AddTail(CObject* newElement) {
    CNode* node = new CNode{nullptr, m_pTail, newElement};
    if (m_pTail) m_pTail->pNext = node; else m_pHead = node;
    m_pTail = node;
    ++m_nCount;
    return reinterpret_cast<POSITION>(node);
}

void CObList::RemoveAll() {
    for (CNode* node = m_pHead; node != nullptr;) {
        CNode* next = node->pNext;
        delete node;
        node = next;
    }
    m_pHead = m_pTail = nullptr;
    m_nCount = 0;
}

CObject*& CObList::GetNext(POSITION& rPosition) {
    CNode* node = reinterpret_cast<CNode*>(rPosition);
    rPosition = reinterpret_cast<POSITION>(node->pNext);
    return node->data;
}
CObject* CObList::GetNext(POSITION& rPosition) const {
    CNode* node = reinterpret_cast<CNode*>(rPosition);
    rPosition = reinterpret_cast<POSITION>(node->pNext);
    return node->data;
}
CObject*& CObList::GetPrev(POSITION& rPosition) {
    CNode* node = reinterpret_cast<CNode*>(rPosition);
    rPosition = reinterpret_cast<POSITION>(node->pPrev);
    return node->data;
}
CObject* CObList::GetPrev(POSITION& rPosition) const {
    CNode* node = reinterpret_cast<CNode*>(rPosition);
    rPosition = reinterpret_cast<POSITION>(node->pPrev);
    return node->data;
}
CObject*& CObList::GetAt(POSITION position) { return reinterpret_cast<CNode*>(position)->data; }
CObject* CObList::GetAt(POSITION position) const { return reinterpret_cast<CNode*>(position)->data; }
void CObList::SetAt(POSITION pos, CObject* newElement) { reinterpret_cast<CNode*>(pos)->data = newElement; }

void CObList::RemoveAt(POSITION position) {
    CNode* node = reinterpret_cast<CNode*>(position);
    if (node->pPrev) node->pPrev->pNext = node->pNext; else m_pHead = node->pNext;
    if (node->pNext) node->pNext->pPrev = node->pPrev; else m_pTail = node->pPrev;
    delete node;
    --m_nCount;
}

POSITION CObList::InsertBefore(POSITION position, CObject* newElement) {
    if (position == nullptr) return AddHead(newElement);
    CNode* old = reinterpret_cast<CNode*>(position);
    CNode* node = new CNode{old, old->pPrev, newElement};
    if (old->pPrev) old->pPrev->pNext = node; else m_pHead = node;
    old->pPrev = node;
    ++m_nCount;
    return reinterpret_cast<POSITION>(node);
}

POSITION CObList::InsertAfter(POSITION position, CObject* newElement) {
    if (position == nullptr) return AddTail(newElement);
    CNode* old = reinterpret_cast<CNode*>(position);
    CNode* node = new CNode{old->pNext, old, newElement};
    if (old->pNext) old->pNext->pPrev = node; else m_pTail = node;
    old->pNext = node;
    ++m_nCount;
    return reinterpret_cast<POSITION>(node);
}

POSITION CObList::Find(CObject* searchValue, POSITION startAfter) const {
    CNode* node = startAfter ? reinterpret_cast<CNode*>(startAfter)->pNext : m_pHead;
    for (; node != nullptr; node = node->pNext)
        if (node->data == searchValue) return reinterpret_cast<POSITION>(node);
    return nullptr;
}

POSITION CObList::FindIndex(int nIndex) const {
    if (nIndex < 0 || nIndex >= m_nCount) return nullptr;
    CNode* node = m_pHead;
    while (nIndex-- > 0) node = node->pNext;
    return reinterpret_cast<POSITION>(node);
}
