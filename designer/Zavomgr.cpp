// The program's one application object.
#include "designer/ZavomgrApp.h"

CZavomgrApp theApp;
