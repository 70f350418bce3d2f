// Collections. CObList: a doubly linked list of CObject pointers that never
// owns or deletes the objects. CList: a doubly linked list of values of any
// copyable type, which owns its copies.
#pragma once
#include "framework/afxobj.h"

struct __POSITION {};
typedef __POSITION* POSITION;

class PVFX_API CObList : public CObject {
public:
    CObList() = default;
    ~CObList() override;

    int GetCount() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    CObject*& GetHead();
    CObject* GetHead() const;
    CObject*& GetTail();
    CObject* GetTail() const;
    CObject* RemoveHead();
    CObject* RemoveTail();
    POSITION AddHead(CObject* newElement);
    POSITION AddTail(CObject* newElement);
    void RemoveAll();

    POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(m_pHead); }
    POSITION GetTailPosition() const { return reinterpret_cast<POSITION>(m_pTail); }
    // Returns the element at rPosition and moves rPosition on (NULL at the end).
    CObject*& GetNext(POSITION& rPosition);
    CObject* GetNext(POSITION& rPosition) const;
    CObject*& GetPrev(POSITION& rPosition);
    CObject* GetPrev(POSITION& rPosition) const;
    CObject*& GetAt(POSITION position);
    CObject* GetAt(POSITION position) const;
    void SetAt(POSITION pos, CObject* newElement);
    void RemoveAt(POSITION position);
    POSITION InsertBefore(POSITION position, CObject* newElement);
    POSITION InsertAfter(POSITION position, CObject* newElement);
    // First position holding searchValue after startAfter (NULL: from the head).
    POSITION Find(CObject* searchValue, POSITION startAfter = NULL) const;
    POSITION FindIndex(int nIndex) const;

private:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        CObject* data;
    };
    CNode* m_pHead = nullptr;
    CNode* m_pTail = nullptr;
    int m_nCount = 0;
};

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
    int GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    // The head and tail of an empty list do not exist: check IsEmpty first.
    TYPE& GetHead() { return m_pHead->data; }
    const TYPE& GetHead() const { return m_pHead->data; }
    TYPE& GetTail() { return m_pTail->data; }
    const TYPE& GetTail() const { return m_pTail->data; }
    TYPE RemoveHead() {
        TYPE value = m_pHead->data;
        RemoveAt(reinterpret_cast<POSITION>(m_pHead));
        return value;
    }
    TYPE RemoveTail() {
        TYPE value = m_pTail->data;
        RemoveAt(reinterpret_cast<POSITION>(m_pTail));
        return value;
    }
    POSITION AddHead(ARG_TYPE newElement) { return Link(new CNode{m_pHead, nullptr, newElement}); }
    POSITION AddTail(ARG_TYPE newElement) { return Link(new CNode{nullptr, m_pTail, newElement}); }
    void RemoveAll() {
        while (m_pHead != nullptr) {
            CNode* next = m_pHead->pNext;
            delete m_pHead;
            m_pHead = next;
        }
        m_pTail = nullptr;
        m_nCount = 0;
    }

    POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(m_pHead); }
    POSITION GetTailPosition() const { return reinterpret_cast<POSITION>(m_pTail); }
    // The element at rPosition; rPosition moves on (NULL past the end).
    TYPE& GetNext(POSITION& rPosition) { return Step(rPosition, true)->data; }
    const TYPE& GetNext(POSITION& rPosition) const { return Step(rPosition, true)->data; }
    TYPE& GetPrev(POSITION& rPosition) { return Step(rPosition, false)->data; }
    const TYPE& GetPrev(POSITION& rPosition) const { return Step(rPosition, false)->data; }
    TYPE& GetAt(POSITION position) { return Node(position)->data; }
    const TYPE& GetAt(POSITION position) const { return Node(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { Node(pos)->data = newElement; }
    void RemoveAt(POSITION position) {
        CNode* node = Node(position);
        (node->pPrev ? node->pPrev->pNext : m_pHead) = node->pNext;
        (node->pNext ? node->pNext->pPrev : m_pTail) = node->pPrev;
        delete node;
        --m_nCount;
    }
    // NULL inserts at the head (InsertBefore) or the tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement) {
        if (position == nullptr) return AddHead(newElement);
        CNode* next = Node(position);
        return Link(new CNode{next, next->pPrev, newElement});
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement) {
        if (position == nullptr) return AddTail(newElement);
        CNode* prev = Node(position);
        return Link(new CNode{prev->pNext, prev, newElement});
    }
    // First position after startAfter (NULL: from the head) whose element
    // equals searchValue (operator==), or NULL.
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const {
        CNode* node = startAfter ? Node(startAfter)->pNext : m_pHead;
        while (node != nullptr && !(node->data == searchValue)) node = node->pNext;
        return reinterpret_cast<POSITION>(node);
    }
    // The position of element nIndex (0 is the head), or NULL out of range.
    POSITION FindIndex(int nIndex) const {
        if (nIndex < 0 || nIndex >= m_nCount) return nullptr;
        CNode* node = m_pHead;
        while (nIndex-- > 0) node = node->pNext;
        return reinterpret_cast<POSITION>(node);
    }

private:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };
    static CNode* Node(POSITION position) { return reinterpret_cast<CNode*>(position); }
    static CNode* Step(POSITION& rPosition, bool forward) {
        CNode* node = Node(rPosition);
        rPosition = reinterpret_cast<POSITION>(forward ? node->pNext : node->pPrev);
        return node;
    }
    // Puts a node whose own links are set between its neighbours.
    POSITION Link(CNode* node) {
        (node->pPrev ? node->pPrev->pNext : m_pHead) = node;
        (node->pNext ? node->pNext->pPrev : m_pTail) = node;
        ++m_nCount;
        return reinterpret_cast<POSITION>(node);
    }

    CNode* m_pHead = nullptr;
    CNode* m_pTail = nullptr;
    int m_nCount = 0;
};
