#pragma once
// Resource ids of the program; resources/zandro.rc includes this file too.
// Made by tools/resgen together with the files it names.

#define IDI_ZANDRO 1005
#define IDB_LOGO_ABOUT 1006
#define IDB_LOGO_TABLE 1007
#define IDW_DEAL 1008
#define IDW_WIN 1009
#define IDW_LOSS 1010

// Card id n (1-40) is the bitmap IDB_CARD_BACK + n.
#define IDB_CARD_BACK 1100
#define IDB_CARD_FIRST 1101
#define IDB_CARD_LAST 1140
