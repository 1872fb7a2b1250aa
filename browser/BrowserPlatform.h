// What the browser's core needs from the system beyond the framework.
#pragma once

#include "framework/String.h"

// The volume label of a drive root such as "D:\" (empty when there is none).
CString BrGetVolumeLabel(LPCTSTR root);
