#include "mfc/CStringList.h"

#include <cassert>
#include <new>

CStringList::CStringList(int blockSize) : m_blockSize(blockSize > 0 ? blockSize : 1) {}

CStringList::~CStringList()
{
  RemoveAll();
}

CStringList::CNode* CStringList::newNode(CNode* prev, CNode* next, LPCSTR text)
{
  if (m_free == nullptr) {
    // One block: a header, then m_blockSize node slots, all put on the free list.
    const size_t slot = sizeof(CNode);
    const size_t header = (sizeof(CBlock) + alignof(CNode) - 1) / alignof(CNode) * alignof(CNode);
    char* raw =
        static_cast<char*>(::operator new(header + slot * static_cast<size_t>(m_blockSize)));
    CBlock* block = reinterpret_cast<CBlock*>(raw);
    block->pNext = m_blocks;
    m_blocks = block;
    for (int i = m_blockSize - 1; i >= 0; --i) {
      CNode* free = reinterpret_cast<CNode*>(raw + header + slot * static_cast<size_t>(i));
      free->pNext = m_free;
      m_free = free;
    }
  }
  CNode* node = m_free;
  m_free = m_free->pNext;
  new (&node->data) CString(text);
  node->pPrev = prev;
  node->pNext = next;
  ++m_count;
  return node;
}

void CStringList::freeNode(CNode* node)
{
  node->data.~CString();
  node->pNext = m_free;
  m_free = node;
  --m_count;
  if (m_count == 0)
    RemoveAll();
}

CString& CStringList::GetHead()
{
  assert(m_head != nullptr);
  return m_head->data;
}

const CString& CStringList::GetHead() const
{
  assert(m_head != nullptr);
  return m_head->data;
}

CString& CStringList::GetTail()
{
  assert(m_tail != nullptr);
  return m_tail->data;
}

const CString& CStringList::GetTail() const
{
  assert(m_tail != nullptr);
  return m_tail->data;
}

POSITION CStringList::AddHead(LPCSTR text)
{
  CNode* node = newNode(nullptr, m_head, text);
  if (m_head != nullptr)
    m_head->pPrev = node;
  else
    m_tail = node;
  m_head = node;
  return reinterpret_cast<POSITION>(node);
}

POSITION CStringList::AddTail(LPCSTR text)
{
  CNode* node = newNode(m_tail, nullptr, text);
  if (m_tail != nullptr)
    m_tail->pNext = node;
  else
    m_head = node;
  m_tail = node;
  return reinterpret_cast<POSITION>(node);
}

void CStringList::AddHead(CStringList* other)
{
  // Inserted one by one from the other's tail, so that its order is kept.
  for (POSITION p = other->GetTailPosition(); p != nullptr;)
    AddHead(other->GetPrev(p));
}

void CStringList::AddTail(CStringList* other)
{
  for (POSITION p = other->GetHeadPosition(); p != nullptr;)
    AddTail(other->GetNext(p));
}

CString CStringList::RemoveHead()
{
  assert(m_head != nullptr);
  CNode* node = m_head;
  CString text = node->data;
  m_head = node->pNext;
  if (m_head != nullptr)
    m_head->pPrev = nullptr;
  else
    m_tail = nullptr;
  freeNode(node);
  return text;
}

CString CStringList::RemoveTail()
{
  assert(m_tail != nullptr);
  CNode* node = m_tail;
  CString text = node->data;
  m_tail = node->pPrev;
  if (m_tail != nullptr)
    m_tail->pNext = nullptr;
  else
    m_head = nullptr;
  freeNode(node);
  return text;
}

void CStringList::RemoveAll()
{
  for (CNode* node = m_head; node != nullptr; node = node->pNext)
    node->data.~CString();
  m_head = m_tail = nullptr;
  m_count = 0;
  m_free = nullptr;
  while (m_blocks != nullptr) {
    CBlock* next = m_blocks->pNext;
    ::operator delete(m_blocks);
    m_blocks = next;
  }
}

CString& CStringList::GetNext(POSITION& position)
{
  CNode* node = nodeAt(position);
  position = reinterpret_cast<POSITION>(node->pNext);
  return node->data;
}

const CString& CStringList::GetNext(POSITION& position) const
{
  CNode* node = nodeAt(position);
  position = reinterpret_cast<POSITION>(node->pNext);
  return node->data;
}

CString& CStringList::GetPrev(POSITION& position)
{
  CNode* node = nodeAt(position);
  position = reinterpret_cast<POSITION>(node->pPrev);
  return node->data;
}

const CString& CStringList::GetPrev(POSITION& position) const
{
  CNode* node = nodeAt(position);
  position = reinterpret_cast<POSITION>(node->pPrev);
  return node->data;
}

CString& CStringList::GetAt(POSITION position)
{
  return nodeAt(position)->data;
}

const CString& CStringList::GetAt(POSITION position) const
{
  return nodeAt(position)->data;
}

void CStringList::SetAt(POSITION position, LPCSTR text)
{
  nodeAt(position)->data = text;
}

void CStringList::RemoveAt(POSITION position)
{
  CNode* node = nodeAt(position);
  if (node->pPrev != nullptr)
    node->pPrev->pNext = node->pNext;
  else
    m_head = node->pNext;
  if (node->pNext != nullptr)
    node->pNext->pPrev = node->pPrev;
  else
    m_tail = node->pPrev;
  freeNode(node);
}

POSITION CStringList::InsertBefore(POSITION position, LPCSTR text)
{
  if (position == nullptr)
    return AddHead(text);
  CNode* at = nodeAt(position);
  CNode* node = newNode(at->pPrev, at, text);
  if (at->pPrev != nullptr)
    at->pPrev->pNext = node;
  else
    m_head = node;
  at->pPrev = node;
  return reinterpret_cast<POSITION>(node);
}

POSITION CStringList::InsertAfter(POSITION position, LPCSTR text)
{
  if (position == nullptr)
    return AddTail(text);
  CNode* at = nodeAt(position);
  CNode* node = newNode(at, at->pNext, text);
  if (at->pNext != nullptr)
    at->pNext->pPrev = node;
  else
    m_tail = node;
  at->pNext = node;
  return reinterpret_cast<POSITION>(node);
}

POSITION CStringList::Find(LPCSTR text, POSITION after) const
{
  CNode* node = after != nullptr ? nodeAt(after)->pNext : m_head;
  for (; node != nullptr; node = node->pNext) {
    if (node->data == text)
      return reinterpret_cast<POSITION>(node);
  }
  return nullptr;
}

POSITION CStringList::FindIndex(int index) const
{
  if (index < 0 || index >= m_count)
    return nullptr;
  CNode* node = m_head;
  while (index-- > 0)
    node = node->pNext;
  return reinterpret_cast<POSITION>(node);
}
