// The class map: which skin object a window class gets. One table; a skin
// class that is not written yet is made as a base object.
#include "skin/engine/SkinEngine.h"
#include "skin/objects/SkinObject.h"
#include "skin/support/SysServices.h"

namespace {

struct ClassRow {
    const char* name;
    const char* aliasOf;               // shares the entry of this name
    CRuntimeClass* (*runtimeClass)();  // null: the window stays unskinned
};

CRuntimeClass* BaseObject()
{
    return RUNTIME_CLASS(CVZRSkinObject);
}

CRuntimeClass* PopupMenuObject()
{
    return CVZROSVersion::IsWin95() ? NULL : RUNTIME_CLASS(CVZRSkinObject);
}

const ClassRow kClassRows[] = {
    {"ComboBox", NULL, BaseObject},
    {"ComboBoxEx32", "ComboBox", NULL},
    {"Edit", NULL, BaseObject},
    {"SysDateTimePick32", NULL, BaseObject},
    {"SysMonthCal32", NULL, BaseObject},
    {"ListBox", NULL, BaseObject},
    {"ComboLBox", "ListBox", NULL},
    {"ScrollBar", NULL, BaseObject},
    {"ATL:ScrollBar", "ScrollBar", NULL},
    {"SysListView32", NULL, BaseObject},
    {"SysHeader32", NULL, BaseObject},
    {"msctls_statusbar32", NULL, BaseObject},
    {"SysTreeView32", NULL, BaseObject},
    {"msctls_progress32", NULL, BaseObject},
    {"msctls_trackbar32", NULL, BaseObject},
    {"SysTabControl32", NULL, BaseObject},
    {"MDIClient", NULL, BaseObject},
    {"msctls_updown32", NULL, BaseObject},
    {"ToolbarWindow32", NULL, BaseObject},
    {"Button", NULL, BaseObject},
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
            RegisterClass(row.name, row.runtimeClass ? row.runtimeClass() : NULL);
    }
}

CVZRSkinObject* CVZRSkinEngine::CreateFrameObject(int frameKind)
{
    (void)frameKind;
    try {
        return new CVZRSkinObject;
    } catch (...) {
        return NULL;
    }
}
