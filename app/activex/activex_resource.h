// Resource identifiers of the ActiveX block list page (template 259) and its
// edit dialog (template 261). The foot picture (207) and the header images
// (131) belong to the shell's resources, app/resource.h.
#pragma once

#define IDD_ACTIVEX_FORM 259
#define IDB_ACTIVEX_HEAD 260   // title picture, 463 x 76
#define IDD_ACTIVEX_EDIT 261

// Template 259.
#define IDC_ACTIVEX_LIST 1044
#define IDC_ACTIVEX_EDIT 1045      // 편  집
#define IDC_ACTIVEX_DELETE 1046    // 삭  제
#define IDC_ACTIVEX_ADD 1047       // 추  가
#define IDC_ACTIVEX_COUNT 1048     // number of entries
#define IDC_ACTIVEX_BLOCKED 1049   // number of blocked entries

// Template 261 (OK and Cancel are IDOK and IDCANCEL).
#define IDC_ACTIVEX_NAME 1002
#define IDC_ACTIVEX_CLSID 1046
#define IDC_ACTIVEX_ALTERNATE 1051
// Its labels carry ids of their own: a dialog whose text has id 0xFFFF (-1)
// would look like a message box to the tests' box answerer.
#define IDC_ACTIVEX_GROUP 1060
#define IDC_ACTIVEX_NAME_LABEL 1061
#define IDC_ACTIVEX_CLSID_LABEL 1062
#define IDC_ACTIVEX_ALTERNATE_LABEL 1063
#define IDC_ACTIVEX_ALTERNATE_LABEL2 1064
