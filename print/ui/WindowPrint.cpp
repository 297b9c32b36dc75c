#include "WindowPrint.h"

#include "Messages.h"
#include "PrintTexts.h"
#include "PrinterChoice.h"
#include "ProgramState.h"
#include "WaitCursor.h"

namespace WindowPrint {

bool run(QWidget* parent, ProgramState& state, const SheetSource& source,
         const PrintOptions& options)
{
    QString refused;
    const std::unique_ptr<PrintTarget> target =
        PrinterChoice::instance().openTarget(parent, &refused);
    if (!target) {
        if (!refused.isEmpty())
            Messages::operatingError(parent, state, PrintTextKeys::failed, {refused});
        return false;
    }
    PrintOutcome outcome;
    {
        const WaitCursor wait;
        outcome = PrintRun::printSheet(*target, source, options, PrintTexts::fromCatalogue(state));
    }
    switch (outcome.problem) {
    case PrintProblem::None:
        return true;
    case PrintProblem::NoVisibleExtent:
        Messages::operatingError(parent, state, PrintTextKeys::noExtent);
        break;
    case PrintProblem::ScaleNotPositive:
        Messages::operatingError(parent, state, PrintTextKeys::scaleNotPositive,
                                 {source.scaleBoxText});
        break;
    case PrintProblem::NothingToDraw:
        Messages::operatingError(parent, state, PrintTextKeys::nothingToDraw);
        break;
    case PrintProblem::PageTooSmall:
        Messages::operatingError(parent, state, PrintTextKeys::pageTooSmall);
        break;
    case PrintProblem::DeviceRefused:
    case PrintProblem::DeliveryFailed:
        Messages::operatingError(parent, state, PrintTextKeys::failed, {target->name()});
        break;
    }
    return false;
}

} // namespace WindowPrint
