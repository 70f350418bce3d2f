// Resource identifiers of the scan and cure page (template 146). The pictures
// it paints (207, 209, 240) and the header images (131) belong to the shell's
// resources, app/resource.h.
#pragma once

#define IDD_CURE_FORM 146

#define IDC_CURE_ADDRESS 1002        // start-page address
#define IDC_CURE_STARTPAGE 1003      // start-page tick box
#define IDC_CURE_START 1004          // 검사시작 / 검사중지 / 초기화면
#define IDC_CURE_LIST 1005           // found adware
#define IDC_CURE_PROGRESS 1006
#define IDC_CURE_TARGET_LABEL 1007   // 대 상 :
#define IDC_CURE_SAVELOG 1008        // save scan record tick box
#define IDC_CURE_FOUND 1009          // found counter
#define IDC_CURE_TOTAL 1010          // item counter
#define IDC_CURE_ADDRESS_LABEL 1011  // 주  소 (URL)
#define IDC_CURE_STARTPAGE_GROUP 1012
#define IDC_CURE_CURE 1013           // 치  료
#define IDC_CURE_TARGET 1014         // record being scanned
#define IDC_CURE_RESTORE 1015        // 복원, after a cure
#define IDC_CURE_LIST_FRAME 1016
#define IDC_CURE_DB_GROUP 1017
#define IDC_CURE_DB_ADWARE 1018      // 애드웨어 (the record number is drawn after it)
#define IDC_CURE_DB_VERSION 1019     // database version line
#define IDC_CURE_APPLY 1020          // 빠른 설정
#define IDC_CURE_PRESET_NAVER 1034
#define IDC_CURE_PRESET_DAUM 1035
#define IDC_CURE_PRESET_GOOGLE 1036
#define IDC_CURE_PRESET_YAHOO 1037
#define IDC_CURE_PRESET_BLANK 1038
#define IDC_CURE_PRESET_MAKER 1039   // first of the radio group
#define IDC_CURE_PRESET_FRAME 1040
#define IDC_CURE_PRESET_LABEL 1041   // 빠 른 선 택
