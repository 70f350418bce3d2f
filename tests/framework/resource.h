// Resource ids of the framework tests.
#pragma once
#define IDD_TEST_DIALOG 200
#define IDD_LOCAL_FORM 300
#define IDD_EXT_FORM 400
#define IDC_TEXT 1001
#define IDC_CHECK 1003
#define IDC_RADIO_FIRST 1004
#define IDC_RADIO_SECOND 1005
#define IDC_RADIO_THIRD 1006
#define IDC_OTHER 1007
#define IDC_FORM_BUTTON 1101
#define IDC_FORM_TEXT 1102
#define IDC_EXT_BUTTON 1201
#define IDS_SHARED 1001        // in the executable and in the extension DLL
#define IDS_EXT_ONLY 4001      // only in the extension DLL
#define IDS_QUESTION 4002      // only in the extension DLL
#define IDB_IMAGES 500         // two 14 x 14 images, magenta transparent
