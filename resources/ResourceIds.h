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

// Every bitmap is also drawn for denser screens: the picture with id B at density n
// is the bitmap B + IDB_DENSITY_STEP * n, n = 1 to 6 for the display scales
// 125, 150, 175, 200, 250 and 300 %. Its width and height are those at 100 % times the percent / 100,
// rounded to the nearest pixel, halves up.
#define IDB_DENSITY_STEP 10000
// The display scale of each density in percent, from density 0.
#define IDB_DENSITY_PERCENTS 100, 125, 150, 175, 200, 250, 300
