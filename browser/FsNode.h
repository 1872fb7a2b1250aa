// The browser's virtual file system: nodes of an image or of dropped files,
// and the tree that owns them.
#pragma once

#include "framework/Object.h"
#include "framework/String.h"
#include "framework/Time.h"

class CFsNode : public CObject {
public:
    enum { TYPE_FOLDER = 1,
           TYPE_FILE = 2,
           TYPE_OTHER = 9 };

    CFsNode();

    // A node made from a dropped file names its disk path as its source.
    BOOL IsDiskFile() const { return m_strSource != IMAGE_SOURCE; }
    BOOL IsFolder() const { return m_nType == TYPE_FOLDER; }

    static const char IMAGE_SOURCE[];  // "(rd)/"

    CFsNode* m_pParent;
    CFsNode* m_pNext;
    CFsNode* m_pChild;
    DWORD m_dwOffset;  // where the data start in the image file
    DWORD m_dwSize;
    BYTE m_nType;
    CString m_strSource;
    CString m_strName;
    CTime m_time;
    void* m_hItem;  // the node's tree item, for the views
    void* m_hParentItem;
};

class CFsNodeTree {
public:
    CFsNodeTree();
    ~CFsNodeTree();

    // Makes an empty root when there is none.
    CFsNode* GetRoot();
    // A copy of the template's source, name, time, type and size at the head
    // of the parent's children (NULL: the root). The notify flag is for views.
    CFsNode* Insert(CFsNode* parent, const CFsNode& node, BOOL notify = FALSE);
    // Deletes the node with its subtree; the root is only emptied.
    void Delete(CFsNode* node, BOOL notify = FALSE);
    void Clear();
    int GetCount() const { return m_nCount; }
    // Exchanges the content of two trees; nodes keep their addresses.
    void Swap(CFsNodeTree& other);

private:
    CFsNodeTree(const CFsNodeTree&) = delete;
    void operator=(const CFsNodeTree&) = delete;
    void DeleteChildren(CFsNode* node);

    CFsNode* m_pRoot;
    int m_nCount;
};
