#pragma once

#include "PrintRun.h"

#include <QPrinter>
#include <functional>
#include <memory>

class QWidget;

// The printer the window prints on in this run: the system's default printer
// until the user picks another with einstellungdrucker. The choice is not
// stored. With no printer installed, the sheets go to a PDF file the user
// names, on the paper chosen in the page set-up.
class PrinterChoice {
public:
    static PrinterChoice& instance();

    QPrinter& printer() { return *m_printer; }

    // einstellungdrucker: the platform's printer dialog, or the page set-up
    // of the PDF file when no printer is installed. Cancelling changes nothing.
    void einstellungdrucker(QWidget* parent);

    // The target of the window's print run; null when the user cancels the
    // choice of the PDF file or the file cannot be written (then *refused
    // names it).
    std::unique_ptr<PrintTarget> openTarget(QWidget* parent, QString* refused);

    // Where the dialogs and the printer can be replaced, for tests.
    struct Hooks {
        std::function<bool()> printerInstalled;
        std::function<QString(QWidget*)> choosePdfFile;         // "" when cancelled
        std::function<bool(QWidget*, QPrinter&)> printerDialog; // false when cancelled
        std::function<std::unique_ptr<PrintTarget>()> target;   // replaces the printer
    };
    Hooks& hooks() { return m_hooks; }
    void resetHooks();

private:
    PrinterChoice();
    std::unique_ptr<QPrinter> m_printer;
    Hooks m_hooks;
};
