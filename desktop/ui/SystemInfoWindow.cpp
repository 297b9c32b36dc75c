#include "SystemInfoWindow.h"

#include "FormBehaviour.h"
#include "FormTranslator.h"
#include "ProgramState.h"
#include "SystemReport.h"
#include "TextCatalogue.h"

#include <QClipboard>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Built-in German captions of the report lines, in the order of
// SystemReport::names().
const char* const captions[] = {
    "Betriebssystem:", "Kernel:",         "Qt-Version:",       "Bildschirme:",
    "Gebietsschema:",  "Programmordner:", "Projektdatenbank:", "Textkatalog:"};
} // namespace

SystemInfoWindow::SystemInfoWindow(ProgramState& state, const QString& databasePath, QWidget* owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("systeminfo"));
    setWindowTitle(QStringLiteral("Systeminformation"));

    SystemReport::Paths paths;
    paths.programFolder = state.programmpfad;
    paths.database = databasePath;
    paths.catalogue =
        state.catalogue && state.catalogue->isOpen() ? state.catalogue->path() : QString();
    const QList<SystemReport::Item> items = SystemReport::collect(paths);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (int i = 0; i < items.size(); ++i) {
        auto* caption = new QLabel(QString::fromUtf8(captions[i]), this);
        caption->setObjectName(QStringLiteral("lbl") + items.at(i).name);
        // The values are named without a translated prefix: they are data.
        auto* value = new QLabel(items.at(i).value, this);
        value->setObjectName(QStringLiteral("inf") + items.at(i).name);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(caption, value);
    }

    auto* copy = new QPushButton(QStringLiteral("&Kopieren"), this);
    copy->setObjectName(QStringLiteral("cmdkopieren"));
    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("cmdok"));
    connect(copy, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(reportText()); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copy);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    new FormKeyHandler(this, state, QStringLiteral("Info.HTM"), ok, ok);
    FormBehaviour::fensteroben(this, owner);
    FormTranslator::translateWindow(this, state);
    adjustSize();
    // Centred on the owner when there is one (the dialog does that itself),
    // on the screen otherwise.
    if (!owner)
        FormBehaviour::fenstermitte(this);
}

QString SystemInfoWindow::reportText() const
{
    QStringList lines;
    for (const QString& name : SystemReport::names()) {
        const auto* caption = findChild<QLabel*>(QStringLiteral("lbl") + name);
        const auto* value = findChild<QLabel*>(QStringLiteral("inf") + name);
        lines << caption->text() + ' ' + value->text();
    }
    return lines.join('\n');
}
