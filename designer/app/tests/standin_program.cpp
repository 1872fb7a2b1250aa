// Stand-in for the programs the studio starts: appends its command line and
// working folder to the file named by ZAVO_STANDIN_LOG, then ends.
#include <windows.h>

#include <cstdio>

int main()
{
    char log[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("ZAVO_STANDIN_LOG", log, sizeof(log))) return 1;
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(folder), folder);
    FILE* f = fopen(log, "ab");
    if (!f) return 2;
    fprintf(f, "%s\n%s\n", GetCommandLineA(), folder);
    fclose(f);
    return 0;
}
