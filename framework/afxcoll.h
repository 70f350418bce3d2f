// Collections. CList: a doubly linked list of values of any copyable type,
// which owns its copies. CObList: a list of CObject pointers that never owns
// or deletes the objects.
#pragma once
#include "framework/afxobj.h"

struct __POSITION {};
typedef __POSITION* POSITION;

// A doubly linked list of TYPE values, each a copy the list owns; ARG_TYPE is
// how elements are passed in. Positions stay valid until their element is
// removed. Header-only, so a list can be a member of a class that another
// module exports: each module compiles the same code.
template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
public:
    CList() = default;
    ~CList() override { RemoveAll(); }

    int GetCount() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    POSITION AddTail(ARG_TYPE newElement) {
        CNode* node = new CNode{nullptr, m_pTail, newElement};
        (m_pTail ? m_pTail->pNext : m_pHead) = node;
        m_pTail = node;
        ++m_nCount;
        return reinterpret_cast<POSITION>(node);
    }
    // The head of an empty list does not exist: check IsEmpty first.
    TYPE RemoveHead() {
        TYPE value = m_pHead->data;
        RemoveAt(reinterpret_cast<POSITION>(m_pHead));
        return value;
    }
    void RemoveAt(POSITION position) {
        CNode* node = reinterpret_cast<CNode*>(position);
        (node->pPrev ? node->pPrev->pNext : m_pHead) = node->pNext;
        (node->pNext ? node->pNext->pPrev : m_pTail) = node->pPrev;
        delete node;
        --m_nCount;
    }
    void RemoveAll() {
        while (m_pHead != nullptr) RemoveAt(reinterpret_cast<POSITION>(m_pHead));
    }

    POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(m_pHead); }
    // The element at rPosition; rPosition moves on (NULL past the end).
    const TYPE& GetNext(POSITION& rPosition) const {
        CNode* node = reinterpret_cast<CNode*>(rPosition);
        rPosition = reinterpret_cast<POSITION>(node->pNext);
        return node->data;
    }
    const TYPE& GetAt(POSITION position) const { return reinterpret_cast<CNode*>(position)->data; }

private:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };
    CNode* m_pHead = nullptr;
    CNode* m_pTail = nullptr;
    int m_nCount = 0;
};

class CObList : public CList<CObject*, CObject*> {};
