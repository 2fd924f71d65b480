#pragma once

#include "app/ui/ImportFrmVw.h"

// The Import window under the name the application shell creates it by.
class CImportSummaryView : public CImportFrmVw
{
public:
    using CImportFrmVw::CImportFrmVw;
};
