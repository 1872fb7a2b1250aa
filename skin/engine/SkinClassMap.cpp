// The class map: which skin object a window class gets. One table; a skin
// class per entry; aliases share the entry they name.
#include "skin/engine/SkinEngine.h"
#include "skin/objects/SkinObject.h"
#include "skin/objects/SkinObjectBars.h"
#include "skin/objects/SkinObjectButton.h"
#include "skin/objects/SkinObjectFrame.h"
#include "skin/objects/SkinObjectInput.h"
#include "skin/objects/SkinObjectLists.h"
#include "skin/objects/SkinObjectTabs.h"
#include "skin/support/SysServices.h"

namespace {

struct ClassRow {
    const char* name;
    const char* aliasOf;               // shares the entry of this name
    CRuntimeClass* (*runtimeClass)();  // null: the window stays unskinned
};

template <class T>
CRuntimeClass* Skin()
{
    return RUNTIME_CLASS(T);
}

CRuntimeClass* PopupMenuObject()
{
    return CVZROSVersion::IsWin95() ? NULL : RUNTIME_CLASS(CVZRSkinObjectMenu);
}

const ClassRow kClassRows[] = {
    {"ComboBox", NULL, Skin<CVZRSkinObjectComboBox>},
    {"ComboBoxEx32", "ComboBox", NULL},
    {"Edit", NULL, Skin<CVZRSkinObjectEdit>},
    {"SysDateTimePick32", NULL, Skin<CVZRSkinObjectDateTime>},
    {"SysMonthCal32", NULL, Skin<CVZRSkinObjectMonthCal>},
    {"ListBox", NULL, Skin<CVZRSkinObjectListBox>},
    {"ComboLBox", "ListBox", NULL},
    {"ScrollBar", NULL, Skin<CVZRSkinObjectScrollBar>},
    {"ATL:ScrollBar", "ScrollBar", NULL},
    {"SysListView32", NULL, Skin<CVZRSkinObjectListView>},
    {"SysHeader32", NULL, Skin<CVZRSkinObjectHeader>},
    {"msctls_statusbar32", NULL, Skin<CVZRSkinObjectStatusBar>},
    {"SysTreeView32", NULL, Skin<CVZRSkinObjectTreeView>},
    {"msctls_progress32", NULL, Skin<CVZRSkinObjectProgress>},
    {"msctls_trackbar32", NULL, Skin<CVZRSkinObjectTrackBar>},
    {"SysTabControl32", NULL, Skin<CVZRSkinObjectTab>},
    {"MDIClient", NULL, Skin<CVZRSkinObjectMDIClient>},
    {"msctls_updown32", NULL, Skin<CVZRSkinObjectSpin>},
    {"ToolbarWindow32", NULL, Skin<CVZRSkinObjectToolBar>},
    {"Button", NULL, Skin<CVZRSkinObjectButton>},
    {"TButton", "Button", NULL},
    {"TRadioButton", "Button", NULL},
    {"TCheckBox", "Button", NULL},
    {"TEdit", "Edit", NULL},
    {"TMemo", "Edit", NULL},
    {"TRichEditViewer", "Edit", NULL},
    {"TNewProgressBar", "msctls_progress32", NULL},
    {"TComboBox", "ComboBox", NULL},
    {"#32768", NULL, PopupMenuObject},
    {"SysPager", NULL, NULL},
};

}  // namespace

void CVZRSkinEngine::RegisterSkinObjectClasses()
{
    for (const ClassRow& row : kClassRows) {
        if (row.aliasOf != NULL)
            RegisterAlias(row.name, row.aliasOf);
        else
            RegisterSkinObjectClass(row.name, row.runtimeClass ? row.runtimeClass() : NULL);
    }
}

CVZRSkinObject* CVZRSkinEngine::CreateFrameObject(int frameKind)
{
    try {
        return new CVZRSkinObjectFrame(frameKind);
    } catch (...) {
        return NULL;
    }
}
