// The program's one application object.
#include "designer/app/ZavomgrApp.h"

CZavomgrApp theApp;
