#include "ShapeDumpWindow.h"

#include "ListingPrint.h"
#include "ProgramState.h"
#include "ShapeDumpTextKeys.h"
#include "TextCatalogue.h"
#include "WaitCursor.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

ShapeDumpDialogs ShapeDumpDialogs::system()
{
    ShapeDumpDialogs dialogs;
    dialogs.chooseShapefile = [](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Form1"), QString(),
                                            QStringLiteral("Shapefiles (*.shp *.SHP *.Shp);;"
                                                           "All files (*)"));
    };
    dialogs.choosePdfFile = [](QWidget* parent) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Form1"),
                                            QDir::home().filePath(QStringLiteral("Form1.pdf")),
                                            QStringLiteral("PDF (*.pdf)"));
    };
    dialogs.defaultPrinter = [] { return QPrinterInfo::defaultPrinter(); };
    dialogs.showError = [](QWidget* parent, const QString& title, const QString& text) {
        QMessageBox::critical(parent, title, text);
    };
    return dialogs;
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
    setWindowTitle(catalogueText(ShapeDumpTextKeys::windowCaption, QStringLiteral("Form1")));
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
    if (info.isNull()) {
        target = m_dialogs.choosePdfFile ? m_dialogs.choosePdfFile(this) : QString();
        if (target.isEmpty())
            return 0;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(target);
    } else {
        printer.setPrinterName(info.printerName());
        target = info.printerName();
    }
    printer.setDocName(QStringLiteral("Form1"));

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
