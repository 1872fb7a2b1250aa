// Export macro of the command-template library Gorvanel.dll.
#pragma once

#ifdef GORVANEL_BUILD
#define GORVANEL_API __declspec(dllexport)
#else
#define GORVANEL_API __declspec(dllimport)
#endif
