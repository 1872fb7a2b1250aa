// All core classes of the framework.
#pragma once

#include "framework/FwDefs.h"
#include "framework/Object.h"
#include "framework/String.h"
#include "framework/Array.h"
#include "framework/StringArray.h"
#include "framework/Time.h"
#include "framework/File.h"
#include "framework/MemFile.h"
#include "framework/Archive.h"
#include "framework/FileFind.h"
#include "framework/Sys.h"
#include "framework/List.h"
#include "framework/Map.h"
#include "framework/Geometry.h"
