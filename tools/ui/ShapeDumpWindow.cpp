#include "ShapeDumpWindow.h"

#include "ListingPrint.h"
#include "ProgramState.h"
#include "ShapeDumpTextKeys.h"
#include "TextCatalogue.h"
#include "WaitCursor.h"

#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Where the window's file dialogs start, and the PDF file it suggests.
const char* const startFolderProperty = "sorvanStartFolder";
const char* const suggestedPdfProperty = "sorvanSuggestedPdf";
} // namespace

ShapeDumpDialogs ShapeDumpDialogs::system()
{
    ShapeDumpDialogs dialogs;
    // Titled like the window, in the program's language, opened in the
    // program folder.
    dialogs.chooseShapefile = [](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, parent ? parent->windowTitle() : QString(),
                                            parent ? parent->property(startFolderProperty).toString()
                                                   : QString(),
                                            QStringLiteral("Shapefiles (*.shp *.SHP *.Shp);;"
                                                           "All files (*)"));
    };
    dialogs.choosePdfFile = [](QWidget* parent) {
        return QFileDialog::getSaveFileName(parent, parent ? parent->windowTitle() : QString(),
                                            parent ? parent->property(suggestedPdfProperty).toString()
                                                   : QString(),
                                            QStringLiteral("PDF (*.pdf)"));
    };
    dialogs.defaultPrinter = [] { return QPrinterInfo::defaultPrinter(); };
    dialogs.showError = [](QWidget* parent, const QString& title, const QString& text) {
        QMessageBox::critical(parent, title, text);
    };
    return dialogs;
}

void ShapeDumpWindow::setProgramFolder(const QString& folder)
{
    m_programFolder = folder;
    setProperty(startFolderProperty, folder);
}

QString ShapeDumpWindow::suggestedPdfFile() const
{
    const QString base =
        m_file.isEmpty() ? QStringLiteral("shapefile") : QFileInfo(m_file).completeBaseName();
    const QString folder = m_programFolder.isEmpty() ? QDir::homePath() : m_programFolder;
    return QDir(folder).filePath(base + QStringLiteral(".pdf"));
}

void ShapeDumpWindow::showTitle()
{
    // The listing's caption and the file it lists.
    setWindowTitle(m_file.isEmpty() ? m_caption
                                    : m_caption + QStringLiteral(" – ") +
                                          QDir::toNativeSeparators(QFileInfo(m_file).fileName()));
}

ShapeDumpWindow::ShapeDumpWindow(QWidget* parent)
    : QWidget(parent), m_dialogs(ShapeDumpDialogs::system())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));

    m_lst1 = new QListWidget(this);
    m_lst1->setObjectName(QStringLiteral("lst1"));
    m_lst1->setFont(ListingPrint::listingFont());
    m_lst1->setUniformItemSizes(true);

    m_command1 = new QPushButton(QStringLiteral("Command1"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    connect(m_command1, &QPushButton::clicked, this, [this] { print(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_command1);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lst1);
    layout->addLayout(buttons);
    resize(480, 600);
}

void ShapeDumpWindow::setCatalogue(const TextCatalogue* catalogue, int sprache)
{
    m_catalogue = catalogue;
    m_sprache = sprache;
    m_caption = catalogueText(ShapeDumpTextKeys::windowCaption, QStringLiteral("Form1"));
    showTitle();
    m_command1->setText(catalogueText(ShapeDumpTextKeys::printButton, QStringLiteral("Command1")));
}

QString ShapeDumpWindow::catalogueText(const TextKey& key, const QString& english) const
{
    if (m_catalogue && m_catalogue->isOpen()) {
        const QString text = m_catalogue->textholen(key.form, key.control, key.property, m_sprache);
        if (!text.isEmpty())
            return text;
    }
    return english;
}

QString ShapeDumpWindow::problemText(const ShapeDump::Result& result) const
{
    const std::optional<TextKey> key = ShapeDumpTextKeys::forProblem(result.problem);
    if (!key)
        return {};
    return ShapeDump::fillProblemText(
        catalogueText(*key, ShapeDump::problemTemplate(result.problem)), result);
}

bool ShapeDumpWindow::load()
{
    m_lst1->clear();
    m_result = {};
    if (m_file.isEmpty()) {
        m_file = m_dialogs.chooseShapefile ? m_dialogs.chooseShapefile(this) : QString();
        if (m_file.isEmpty())
            return false;
    }
    showTitle();
    const WaitCursor wait;
    m_result = ShapeDump::dumpShapefile(m_file);
    m_lst1->addItems(m_result.lines);
    if (!m_result.ok)
        m_lst1->addItem(problemText(m_result));
    return m_result.ok;
}

int ShapeDumpWindow::print()
{
    QStringList lines;
    lines.reserve(m_lst1->count());
    for (int i = 0; i < m_lst1->count(); ++i)
        lines << m_lst1->item(i)->text();
    if (lines.isEmpty())
        return 0;

    const QPrinterInfo info =
        m_dialogs.defaultPrinter ? m_dialogs.defaultPrinter() : QPrinterInfo();
    QPrinter printer(QPrinter::HighResolution);
    QString target;
    // Pages with margins, so no printer cuts the listing at the edge.
    printer.setPageMargins(QMarginsF(20, 15, 15, 15), QPageLayout::Millimeter);
    if (info.isNull()) {
        setProperty(suggestedPdfProperty, suggestedPdfFile());
        target = m_dialogs.choosePdfFile ? m_dialogs.choosePdfFile(this) : QString();
        if (target.isEmpty())
            return 0;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(target);
    } else {
        printer.setPrinterName(info.printerName());
        target = info.printerName();
    }
    printer.setDocName(windowTitle());

    int pages = 0;
    {
        const WaitCursor wait;
        pages = ListingPrint::print(printer, lines);
    }
    if (pages < 0 && m_dialogs.showError) {
        // The catalogue's title texts start with " - ".
        const QString title =
            ProgramState::programTitle() +
            catalogueText(TextKeys::titleOperatingError, QStringLiteral(" - Error"));
        ShapeDump::Result where;
        where.error.where = target;
        m_dialogs.showError(
            this, title,
            ShapeDump::fillProblemText(
                catalogueText(ShapeDumpTextKeys::printFailed, ShapeDump::printFailedTemplate()),
                where));
    }
    return pages;
}
