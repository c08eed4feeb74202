#pragma once

#include "print/print_routine.h"

class QWidget;
class TdmDataSets_t;

// The output step of the print routine in the editor: with Screen the preview window
// (modal, maximized, zoom 85 %), with Printer the print dialog (kept on top) and then the
// printer. The document carries the name "Zelgor - wydruk wniosku".
void showPrintOutput(PrintDevice device, const TdmDataSets_t& dm, const PrintMarks& marks,
                     QWidget* parent);
