#include "app/purvex_doc.h"

IMPLEMENT_DYNCREATE(CPurvexDoc, CDocument)

CPurvexDoc::CPurvexDoc() = default;
