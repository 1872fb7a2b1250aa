#include "installer/app/TessumgrApp.h"

CTessumgrApp theApp;
