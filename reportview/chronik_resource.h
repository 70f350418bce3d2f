// Resource identifiers of Chronik.dll. The numbers are fixed; none of them
// is used by the main program's own resources, which the resource chain
// searches first.
#pragma once

#define IDD_REPORT_FORM 102     // the reports page, 299 x 244 dialog units
#define IDD_REPORT_DLG 129      // "보 고 서", one report's text

// Controls of the page.
#define IDC_REPORT_LIST 1000
#define IDC_REPORT_DELETE 1002  // 삭 제

// Controls of the report dialog.
#define IDC_REPORT_SAVE 1001    // 다른이름으로 저장
#define IDC_REPORT_RESTORE 1003 // 복원, for a log that holds a cure's backup
#define IDC_REPORT_CLOSE 1004   // 닫  기
#define IDC_REPORT_TEXT 1006

// Pictures.
#define IDB_REPORT_FOOT 1002    // bottom-left corner of the page
#define IDB_REPORT_HEAD 1003    // head of the page, drawn at (30, 25)
#define IDB_REPORT_CHECKS 1004  // header images, 14 px each: unchecked box, checked box
