#include "browser/app/PelsysApp.h"

CPelsysApp theApp;
