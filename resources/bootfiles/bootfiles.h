// Resource ids of the boot files that the studio carries (type "ZAVO_EXEC")
// and of the package list's placeholder picture.
#pragma once

#define IDB_PACK_PLACEHOLDER 115
#define IDR_BOOT_MODULES 116
#define IDR_CD_LOADER 153
#define IDR_ZAVO_SYS 154
#define IDR_ZELDR 155
