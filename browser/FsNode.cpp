#include "browser/FsNode.h"

const char CFsNode::IMAGE_SOURCE[] = "(rd)/";

CFsNode::CFsNode()
    : m_pParent(NULL), m_pNext(NULL), m_pChild(NULL), m_dwOffset(0), m_dwSize(0),
      m_nType(TYPE_OTHER), m_hItem(NULL), m_hParentItem(NULL)
{
}

CFsNodeTree::CFsNodeTree() : m_pRoot(NULL), m_nCount(0)
{
}

CFsNodeTree::~CFsNodeTree()
{
    Clear();
}

CFsNode* CFsNodeTree::GetRoot()
{
    if (!m_pRoot) {
        m_pRoot = new CFsNode;
        m_nCount = 1;
    }
    return m_pRoot;
}

CFsNode* CFsNodeTree::Insert(CFsNode* parent, const CFsNode& node, BOOL /*notify*/)
{
    if (!parent)
        parent = GetRoot();
    CFsNode* n = new CFsNode;
    n->m_strSource = node.m_strSource;
    n->m_strName = node.m_strName;
    n->m_time = node.m_time;
    n->m_nType = node.m_nType;
    n->m_dwSize = node.m_dwSize;
    n->m_dwOffset = node.m_dwOffset;
    n->m_pParent = parent;
    n->m_pNext = parent->m_pChild;
    parent->m_pChild = n;
    ++m_nCount;
    return n;
}

// Without recursion: an image may nest folders very deeply.
void CFsNodeTree::DeleteChildren(CFsNode* node)
{
    CFsNode* p = node->m_pChild;
    while (p && p != node) {
        if (p->m_pChild) {
            p = p->m_pChild;
            continue;
        }
        CFsNode* up = p->m_pParent;
        CFsNode* next = p->m_pNext;
        up->m_pChild = next;
        delete p;
        --m_nCount;
        p = next ? next : up;
    }
}

void CFsNodeTree::Delete(CFsNode* node, BOOL /*notify*/)
{
    if (!node)
        return;
    DeleteChildren(node);
    if (node == m_pRoot)
        return;
    CFsNode** link = &node->m_pParent->m_pChild;
    while (*link && *link != node)
        link = &(*link)->m_pNext;
    if (*link)
        *link = node->m_pNext;
    delete node;
    --m_nCount;
}

void CFsNodeTree::Clear()
{
    if (m_pRoot) {
        DeleteChildren(m_pRoot);
        delete m_pRoot;
    }
    m_pRoot = NULL;
    m_nCount = 0;
}

void CFsNodeTree::Swap(CFsNodeTree& other)
{
    CFsNode* r = m_pRoot;
    m_pRoot = other.m_pRoot;
    other.m_pRoot = r;
    int c = m_nCount;
    m_nCount = other.m_nCount;
    other.m_nCount = c;
}
