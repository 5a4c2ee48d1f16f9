#pragma once
// Resource ids shared by the resource script and the code.
#define IDI_PELORINE 1
#define IDB_LOGO 2
#define IDB_SKIN 3
#define IDR_SKIN_OUTLINE 4
