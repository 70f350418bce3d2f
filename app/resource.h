// Resource identifiers of Purvex.exe. The numbers are fixed: pages, the
// updater and the report library refer to the same pictures and templates.
#pragma once

// Document template, program icon, frame title string, the main frame's menu.
#define IDR_MAINFRAME 128
// String 57344: the application title.
#define IDS_APP_TITLE 57344
#define IDP_SOCKETS_INIT_FAILED 104

// Dialog templates of the shell.
#define IDD_PURVEX_FORM 101   // page-button column
#define IDD_TOPVIEW 202       // banner
#define IDD_LOGO 235          // start-up picture

// Pictures.
#define IDC_LINK_CURSOR 130
#define IDB_HEADER_IMAGES 131  // list header: unchecked, checked, up, down (14 px each)
#define IDB_COLUMN 145         // background of the page-button column, 96 x 410
#define IDB_BANNER 206         // banner, 635 x 43
#define IDB_PAGE_FOOT 207      // foot of a page, 535 x 43
#define IDB_PAGE_SIDE 209      // right-edge picture of the scan page
#define IDB_LOGO 234           // start-up picture, 539 x 360
#define IDB_SCAN_HEAD 240      // head of the scan page's initial screen
#define IDB_TAB_IMAGES 252     // cleaning-page tab images (16 px each)

// Page-button icons, 80 x 64: normal, hover, selected.
#define IDI_CURE_NORMAL 243
#define IDI_CURE_HOVER 244
#define IDI_CURE_SELECTED 255
#define IDI_CLEAN_NORMAL 241
#define IDI_CLEAN_HOVER 242
#define IDI_CLEAN_SELECTED 254
#define IDI_ACTIVEX_NORMAL 249
#define IDI_ACTIVEX_HOVER 250
#define IDI_ACTIVEX_SELECTED 258
#define IDI_REPORT_NORMAL 247
#define IDI_REPORT_HOVER 248
#define IDI_REPORT_SELECTED 257
#define IDI_REPORTS_NORMAL 245
#define IDI_REPORTS_HOVER 246
#define IDI_REPORTS_SELECTED 256

// Banner icons, 84 x 30: normal, hover.
#define IDI_PATCH_NORMAL 296
#define IDI_PATCH_HOVER 295
#define IDI_UPDATE_NORMAL 294
#define IDI_UPDATE_HOVER 293
#define IDI_ADWARE_NORMAL 270
#define IDI_ADWARE_HOVER 271
#define IDI_HELP_NORMAL 274
#define IDI_HELP_HOVER 269

// Page buttons of template 101, top to bottom.
#define IDC_BUTTON_CURE 1042
#define IDC_BUTTON_CLEAN 1005
#define IDC_BUTTON_ACTIVEX 1006
#define IDC_BUTTON_REPORT 1007
#define IDC_BUTTON_REPORTS 1008

// Banner buttons of template 202, left to right.
#define IDC_BUTTON_PATCH 1053
#define IDC_BUTTON_UPDATE 1052
#define IDC_BUTTON_ADWARE 1001
#define IDC_BUTTON_HELP 1002

// Picture control of template 235.
#define IDC_LOGO_PICTURE 1000
