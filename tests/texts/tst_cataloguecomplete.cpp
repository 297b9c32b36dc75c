// Every text the program looks up must exist in all five languages, and F1
// in every window must find its page in the help folder the program supplies.
#include "AboutWindow.h"
#include "CatalogueSource.h"
#include "FieldWindow.h"
#include "FormTranslator.h"
#include "GpsTextKeys.h"
#include "GpsWindow.h"
#include "MainWindow.h"
#include "MapTextKeys.h"
#include "NewFarmDialog.h"
#include "PrintDialog.h"
#include "PrintTexts.h"
#include "ProgramState.h"
#include "Prompter.h"
#include "SystemInfoWindow.h"
#include "TextKeys.h"
#ifdef HAVE_SHAPE_DUMP_KEYS
#include "ShapeDumpTextKeys.h"
#endif

#include <QAction>
#include <QHash>
#include <QMenu>
#include <QRegularExpression>
#include <QTableView>
#include <QToolBar>
#include <QtTest>

namespace {
QString keyOf(const QString& form, const QString& control, const QString& property)
{
    return (form + '/' + control + '/' + property).toLower();
}

// The keys the window translation looks up and the window needs: its caption;
// captions of labels, panels, buttons, check and option boxes; tooltips
// the window sets; grid captions, tooltips and column headings; toolbars;
// menus (by their entries' names) and tools (the language entries keep their
// own names).
// Labels whose text the window sets itself (program title, version) have none.
QStringList windowKeys(QWidget* window)
{
    const QString form = window->objectName();
    QStringList keys{keyOf(form, form, "caption")};
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const QString name = control->objectName();
        const QString prefix = name.left(3).toLower();
        if (control->property(AboutWindow::runTimeTextProperty()).toBool())
            continue;
        if (QStringList{"cmd", "lbl", "pan", "chk", "opt", "grd"}.contains(prefix))
            keys << keyOf(form, name, "caption");
        if (QStringList{"cmd", "lbl", "pan", "chk", "opt", "grd", "txt"}.contains(prefix) &&
            !control->toolTip().isEmpty())
            keys << keyOf(form, name, "tooltiptext");
        if (auto* grid = qobject_cast<QTableView*>(control); grid && prefix == "grd") {
            const QAbstractItemModel* model = grid->model();
            for (int column = 0; column < model->columnCount(); ++column) {
                // The heading's data field, or the heading itself, as translated.
                QString field =
                    model->headerData(column, Qt::Horizontal, FormTranslator::DataFieldRole)
                        .toString();
                if (field.isEmpty())
                    field = model->headerData(column, Qt::Horizontal, Qt::EditRole).toString();
                keys << keyOf(form, field, "caption");
            }
        }
    }
    for (QToolBar* toolbar : window->findChildren<QToolBar*>())
        keys << keyOf(form, toolbar->objectName(), "caption");
    const QRegularExpression languageEntry("^mnueinstellungsprache\\d$");
    for (QAction* action : window->findChildren<QAction*>()) {
        const QString name = action->objectName();
        if (!(name.startsWith("mnu") || name.startsWith("tb")) || action->isSeparator())
            continue;
        keys << keyOf(form, name, "caption");
        if (!action->menu() && !languageEntry.match(name).hasMatch())
            keys << keyOf(form, name, "tooltiptext");
    }
    return keys;
}

// The placeholders %1 ... %9 a text uses, sorted, each once.
QStringList placeholders(const QString& text)
{
    QStringList found;
    for (const auto& match : QRegularExpression("%[1-9]").globalMatch(text))
        found << match.captured();
    found.sort();
    found.removeDuplicates();
    return found;
}

// Every window and dialog of the viewer, as built before loading.
struct Windows {
    ProgramState state;
    ViewState view;
    MainWindow main{state};
    FieldWindow fields{state, view, {}};
    NewFarmDialog newFarm{state};
    GpsWindow gps{state, view, {}};
    PrintDialog printDialog{state, {}};
    AboutWindow about{state, {}};
    SystemInfoWindow systemInfo{state, {}};
    QList<QWidget*> all()
    {
        return {&main, &fields, &newFarm, &gps, &printDialog, &about, &systemInfo};
    }
};
} // namespace

class TestCatalogueComplete : public QObject {
    Q_OBJECT
private slots:
    void everyTextInEveryLanguage()
    {
        QStringList errors;
        const CatalogueSource source =
            CatalogueSource::parseFile(QStringLiteral(CATALOGUE_SOURCE), &errors);
        QCOMPARE(source.languageColumns.size(), 5);
        // Every row has a text in each language, with the same values filled in.
        QHash<QString, CatalogueRow> rows;
        for (const CatalogueRow& row : source.rows) {
            rows.insert(keyOf(row.form, row.control, row.property), row);
            for (int i = 0; i < row.texts.size(); ++i) {
                if (row.texts.at(i).isEmpty() ||
                    placeholders(row.texts.at(i)) != placeholders(row.texts.at(0)))
                    errors << QString("line %1: %2 missing or other placeholders")
                                  .arg(row.line)
                                  .arg(source.languageColumns.at(i));
            }
        }
        // Every key the program looks up has a row: messages and window captions.
        QStringList keys;
        for (const TextKey& key : TextKeys::all() + GpsTextKeys::all() + PrintTextKeys::all() +
                                    MapTextKeys::all())
            keys << keyOf(key.form, key.control, key.property);
        Windows windows;
        for (QWidget* window : windows.all())
            keys << windowKeys(window);
#ifdef HAVE_SHAPE_DUMP_KEYS
        for (const TextKey& key : ShapeDumpTextKeys::all() + QList{ShapeDumpTextKeys::windowCaption,
                                                                   ShapeDumpTextKeys::printButton})
            keys << keyOf(key.form, key.control, key.property);
#endif
        for (const QString& key : keys) {
            if (!rows.contains(key))
                errors << key + " missing";
        }
#ifdef HAVE_SHAPE_DUMP_KEYS
        // The dump command prints its own English texts: the catalogue's must match.
        using ShapeDump::Problem;
        for (int p = int(Problem::FileMissing); p <= int(Problem::NotShapefile); ++p) {
            const TextKey key = *ShapeDumpTextKeys::forProblem(Problem(p));
            if (rows.value(keyOf(key.form, key.control, key.property)).texts.value(1) !=
                ShapeDump::problemTemplate(Problem(p)))
                errors << key.control + '/' + key.property + ": English differs from the command's";
        }
        const TextKey print = ShapeDumpTextKeys::printFailed;
        if (rows.value(keyOf(print.form, print.control, print.property)).texts.value(1) !=
            ShapeDump::printFailedTemplate())
            errors << "print failed: English differs from the command's";
#endif
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
    }

    void everyWindowOpensItsHelpPage()
    {
        Prompter::instance().setTestMode(true);
        Windows windows;
        windows.state.programmpfad = QStringLiteral(HELP_SOURCE_DIR);
        for (QWidget* window : windows.all()) {
            Prompter::instance().clearShown();
            QTest::keyClick(window, Qt::Key_F1);
            const QList<Prompter::Shown> shown = Prompter::instance().shown();
            QVERIFY2(shown.size() == 1 && shown.at(0).kind == "url",
                     qPrintable(window->objectName()));
        }
    }
};

QTEST_MAIN(TestCatalogueComplete)
#include "tst_cataloguecomplete.moc"
