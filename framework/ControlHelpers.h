// Shared by the control wrappers.
#pragma once
#include "framework/Wnd.h"

// Registers the common controls classes once per process.
FW_API void AfxEnsureCommonControls();
