// CStringList: a doubly linked list of CString, as MFC's. Nodes are taken
// from blocks of `blockSize` nodes and go back to a free list when removed;
// the blocks are released by RemoveAll and the destructor.
//   POSITION   names a node; GetNext/GetPrev return the element at a position
//              and move the position on (null past the end)
#pragma once

#include "mfc/CObject.h"
#include "mfc/CString.h"

struct __POSITION {};
typedef __POSITION* POSITION;

class CStringList : public CObject {
public:
  explicit CStringList(int blockSize = 10);
  ~CStringList() override;

  // Attributes
  int GetCount() const { return m_count; }
  BOOL IsEmpty() const { return m_count == 0; }
  CString& GetHead();
  const CString& GetHead() const;
  CString& GetTail();
  const CString& GetTail() const;

  // Adding and removing
  POSITION AddHead(LPCSTR text);
  POSITION AddTail(LPCSTR text);
  void AddHead(CStringList* other);
  void AddTail(CStringList* other);
  CString RemoveHead();
  CString RemoveTail();
  void RemoveAll();

  // Iteration
  POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(m_head); }
  POSITION GetTailPosition() const { return reinterpret_cast<POSITION>(m_tail); }
  CString& GetNext(POSITION& position);
  const CString& GetNext(POSITION& position) const;
  CString& GetPrev(POSITION& position);
  const CString& GetPrev(POSITION& position) const;
  CString& GetAt(POSITION position);
  const CString& GetAt(POSITION position) const;
  void SetAt(POSITION position, LPCSTR text);
  void RemoveAt(POSITION position);
  POSITION InsertBefore(POSITION position, LPCSTR text);
  POSITION InsertAfter(POSITION position, LPCSTR text);

  // Searching: the first node from `after`'s successor (or the head) whose text
  // equals `text` exactly; the node at `index` counting from 0 at the head.
  POSITION Find(LPCSTR text, POSITION after = nullptr) const;
  POSITION FindIndex(int index) const;

private:
  struct CNode {
    CNode* pNext;
    CNode* pPrev;
    CString data;
  };
  struct CBlock {
    CBlock* pNext; // the block allocated before this one
  };

  CNode* newNode(CNode* prev, CNode* next, LPCSTR text);
  void freeNode(CNode* node);
  static CNode* nodeAt(POSITION position) { return reinterpret_cast<CNode*>(position); }

  CNode* m_head = nullptr;    // first node, null when empty
  CNode* m_tail = nullptr;    // last node, null when empty
  int m_count = 0;            // number of nodes in the list
  CNode* m_free = nullptr;    // free nodes, chained by pNext
  CBlock* m_blocks = nullptr; // every allocated block, newest first
  int m_blockSize;            // nodes per block
};
