#include "skin/engine/SkinEngine.h"
#include "skin/objects/SkinObjectBars.h"
#include "skin/objects/SkinObjectButton.h"
#include "skin/objects/SkinObjectInput.h"
#include "skin/objects/SkinObjectLists.h"
#include "skin/objects/SkinObjectTabs.h"

#include <gtest/gtest.h>

#include <memory>

// Other toolkits' class names share the entries of the classes they stand for.
TEST(SkinClassMap, EveryControlEntryMakesItsOwnSkinClass)
{
    CVZRSkinEngine engine;
    struct {
        const char* name;
        CRuntimeClass* cls;
    } rows[] = {
        {"Button", RUNTIME_CLASS(CVZRSkinObjectButton)},
        {"TButton", RUNTIME_CLASS(CVZRSkinObjectButton)},
        {"TRadioButton", RUNTIME_CLASS(CVZRSkinObjectButton)},
        {"TCheckBox", RUNTIME_CLASS(CVZRSkinObjectButton)},
        {"ComboBox", RUNTIME_CLASS(CVZRSkinObjectComboBox)},
        {"ComboBoxEx32", RUNTIME_CLASS(CVZRSkinObjectComboBox)},
        {"TComboBox", RUNTIME_CLASS(CVZRSkinObjectComboBox)},
        {"SysDateTimePick32", RUNTIME_CLASS(CVZRSkinObjectDateTime)},
        {"SysMonthCal32", RUNTIME_CLASS(CVZRSkinObjectMonthCal)},
        {"Edit", RUNTIME_CLASS(CVZRSkinObjectEdit)},
        {"TEdit", RUNTIME_CLASS(CVZRSkinObjectEdit)},
        {"TMemo", RUNTIME_CLASS(CVZRSkinObjectEdit)},
        {"TRichEditViewer", RUNTIME_CLASS(CVZRSkinObjectEdit)},
        {"ListBox", RUNTIME_CLASS(CVZRSkinObjectListBox)},
        {"ComboLBox", RUNTIME_CLASS(CVZRSkinObjectListBox)},
        {"SysListView32", RUNTIME_CLASS(CVZRSkinObjectListView)},
        {"SysHeader32", RUNTIME_CLASS(CVZRSkinObjectHeader)},
        {"SysTreeView32", RUNTIME_CLASS(CVZRSkinObjectTreeView)},
        {"msctls_progress32", RUNTIME_CLASS(CVZRSkinObjectProgress)},
        {"TNewProgressBar", RUNTIME_CLASS(CVZRSkinObjectProgress)},
        {"msctls_statusbar32", RUNTIME_CLASS(CVZRSkinObjectStatusBar)},
        {"msctls_updown32", RUNTIME_CLASS(CVZRSkinObjectSpin)},
        {"msctls_trackbar32", RUNTIME_CLASS(CVZRSkinObjectTrackBar)},
        {"SysTabControl32", RUNTIME_CLASS(CVZRSkinObjectTab)},
        {"ToolbarWindow32", RUNTIME_CLASS(CVZRSkinObjectToolBar)},
        {"#32768", RUNTIME_CLASS(CVZRSkinObjectMenu)},
        {"MDIClient", RUNTIME_CLASS(CVZRSkinObjectMDIClient)},
    };
    for (const auto& row : rows) {
        const CVZRSkinClassEntry* entry = engine.FindClassEntry(row.name);
        ASSERT_NE(entry, nullptr) << row.name;
        EXPECT_EQ(entry->pClass, row.cls) << row.name;
        std::unique_ptr<CVZRSkinObject> object(static_cast<CVZRSkinObject*>(row.cls->CreateObject()));
        ASSERT_TRUE(object);
        EXPECT_TRUE(object->IsKindOf(row.cls));
    }
    // Lists and buttons ask their parents for their own client colours.
    CVZRSkinObjectListBox listBox;
    CVZRSkinObjectListView listView;
    CVZRSkinObjectTreeView treeView;
    CVZRSkinObjectButton button;
    EXPECT_EQ(listBox.GetCtlColorMessage(), (UINT)WM_CTLCOLORLISTBOX);
    EXPECT_EQ(listView.GetCtlColorMessage(), (UINT)WM_CTLCOLORLISTBOX);
    EXPECT_EQ(treeView.GetCtlColorMessage(), (UINT)WM_CTLCOLORLISTBOX);
    EXPECT_EQ(button.GetCtlColorMessage(), (UINT)WM_CTLCOLORBTN);
    // The status bar's theme class is the schema's STATUS.
    CVZRSkinObjectStatusBar status;
    EXPECT_EQ(status.GetThemeClassName(), "STATUS");
}
