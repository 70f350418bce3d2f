// Resource identifiers of the PC cleaning page (template 211) and its four
// tab dialogs. The pictures it shares with other pages (207, 252) belong to
// the shell's resources, app/resource.h.
#pragma once

#define IDD_CLEAN_FORM 211
#define IDD_DISK_CLEAN 223
#define IDD_WORK_RECORD 224
#define IDD_STARTUP 226
#define IDD_AUTO_RECORD 236

#define IDB_CLEAN_HEAD 253  // the page's head picture, drawn at (40, 15)

// The host page, template 211.
#define IDC_CLEAN_TABS 1022
#define IDC_CLEAN_DELETE 1026  // 삭  제
#define IDC_CLEAN_START 1027   // 검사시작 / 중  지 / 초기화면 / 삭    제 / 다시검사
#define IDC_CLEAN_STATUS 1033  // 검사대상 :

// The disk cleanup tab, template 223. In each radio pair the first button
// ("일괄삭제", value 0) starts the group; the second is "검색하기" (value 1).
#define IDC_DISK_LIST 1024
#define IDC_DISK_COOKIES 1004
#define IDC_DISK_TEMP 1005
#define IDC_DISK_WINTEMP 1006
#define IDC_DISK_RECYCLE 1029
#define IDC_DISK_COOKIES_ALL 1035
#define IDC_DISK_COOKIES_SEARCH 1034
#define IDC_DISK_TEMP_ALL 1036
#define IDC_DISK_TEMP_SEARCH 1037
#define IDC_DISK_WINTEMP_ALL 1038
#define IDC_DISK_WINTEMP_SEARCH 1039
#define IDC_DISK_RECYCLE_ALL 1040
#define IDC_DISK_RECYCLE_SEARCH 1041

// The activity-record tab, template 224: its four tick boxes.
#define IDC_WORK_VISIT_HISTORY 1003
#define IDC_WORK_TYPED_URLS 1004
#define IDC_WORK_RECENT_DOCS 1005
#define IDC_WORK_RUN_MRU 1006

// The auto-record tab, template 236: its three tick boxes.
#define IDC_AUTO_FORM_DATA 1007
#define IDC_AUTO_PASSWORDS 1008
#define IDC_AUTO_PLAYER_HISTORY 1009

// The startup program tab, template 226: its list.
#define IDC_STARTUP_LIST 1025

// The pictures of the activity-record and auto-record tabs: one beside each
// ticked box, and IDB_RECORD_ANY_TICKED while any box of the tab is ticked.
#define IDB_RECORD_VISIT_HISTORY 282
#define IDB_RECORD_RECENT_DOCS 283
#define IDB_RECORD_TYPED_URLS 284
#define IDB_RECORD_RUN_MRU 286
#define IDB_RECORD_ANY_TICKED 287
#define IDB_RECORD_PLAYER_HISTORY 288
#define IDB_RECORD_PASSWORDS 289
#define IDB_RECORD_FORM_DATA 290
