#include "PrinterChoice.h"

#include "PdfFileTarget.h"

#include <QDir>
#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinterInfo>

namespace {
// The system printer as a print target.
class PrinterTarget : public PrintTarget {
public:
    explicit PrinterTarget(QPrinter& printer) : m_printer(printer) {}
    QPagedPaintDevice* device() override { return &m_printer; }
    QString name() const override { return m_printer.printerName(); }
    void abort() override { m_printer.abort(); }
    bool close(bool complete) override
    {
        return complete && m_printer.printerState() != QPrinter::Error;
    }

private:
    QPrinter& m_printer;
};
} // namespace

PrinterChoice& PrinterChoice::instance()
{
    static PrinterChoice choice;
    return choice;
}

PrinterChoice::PrinterChoice() : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    m_printer->setDocName(QStringLiteral("Sorvan-GIS-Viewer"));
    resetHooks();
}

void PrinterChoice::resetHooks()
{
    m_hooks.printerInstalled = [] { return !QPrinterInfo::availablePrinterNames().isEmpty(); };
    m_hooks.choosePdfFile = [](QWidget* parent) {
        return QFileDialog::getSaveFileName(parent, QString(),
                                            QDir::home().filePath(QStringLiteral("Karte.pdf")),
                                            QStringLiteral("PDF (*.pdf)"));
    };
    m_hooks.printerDialog = [](QWidget* parent, QPrinter& printer) {
        if (printer.outputFormat() == QPrinter::NativeFormat) {
            QPrintDialog dialog(&printer, parent);
            dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
            return dialog.exec() == QDialog::Accepted;
        }
        QPageSetupDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    };
    m_hooks.target = nullptr;
}

void PrinterChoice::einstellungdrucker(QWidget* parent)
{
    if (!m_hooks.printerInstalled())
        m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_hooks.printerDialog(parent, *m_printer);
}

std::unique_ptr<PrintTarget> PrinterChoice::openTarget(QWidget* parent, QString* refused)
{
    if (m_hooks.target)
        return m_hooks.target();
    if (m_hooks.printerInstalled()) {
        m_printer->setOutputFormat(QPrinter::NativeFormat);
        return std::make_unique<PrinterTarget>(*m_printer);
    }
    const QString file = m_hooks.choosePdfFile(parent);
    if (file.isEmpty())
        return nullptr;
    const QPageLayout chosen = m_printer->pageLayout();
    auto target = std::make_unique<PdfFileTarget>(
        file,
        PdfFileTarget::pageLayout(
            chosen.pageSize().id() == QPageSize::Custom ? QPageSize::A4 : chosen.pageSize().id(),
            chosen.orientation()),
        QStringLiteral("Sorvan-GIS-Viewer"));
    if (!target->isReady()) {
        if (refused)
            *refused = QDir::toNativeSeparators(file);
        return nullptr;
    }
    return target;
}
