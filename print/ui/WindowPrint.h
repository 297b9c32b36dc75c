#pragma once

#include "PrintRun.h"

class QWidget;
struct ProgramState;

// The print run started from the print dialog: opens the target (the
// printer, or a PDF file), prints the sheet and tells the user what went
// wrong. True when the sheet was printed; the dialog then closes.
namespace WindowPrint {

bool run(QWidget* parent, ProgramState& state, const SheetSource& source,
         const PrintOptions& options);

} // namespace WindowPrint
