// The document of the single-document machinery: it holds no data and only
// serves to create the frame and its views.
#pragma once
#include "framework/afxwin.h"

class CPurvexDoc : public CDocument {
    DECLARE_DYNCREATE(CPurvexDoc)
public:
    CPurvexDoc();
};
