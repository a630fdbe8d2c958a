#pragma once

// Resource ids of VantrelShell.dll.
#define IDS_PROJNAME 100
#define IDB_MENU_BITMAP 202
#define IDR_TYPELIB 1
