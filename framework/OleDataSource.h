// A source of data for drag and drop: global memory blocks cached by
// clipboard format, offered through an IDataObject of its own.
#pragma once
#include <windows.h>
#include <ole2.h>
#include "framework/FwDefs.h"

class FW_API COleDataSource {
public:
    COleDataSource();
    ~COleDataSource();

    // Offers the block in the format; the source owns it from now on.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal);
    // Runs the system's drag loop with the left mouse button; returns the
    // effect the target chose (DROPEFFECT_NONE when cancelled or refused).
    DWORD DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE);
    // The data object (borrowed; it lives as long as this source or a target
    // that holds a reference to it).
    IDataObject* GetDataObject();

private:
    COleDataSource(const COleDataSource&);
    COleDataSource& operator=(const COleDataSource&);

    class CDataObject* m_pObject;
};
