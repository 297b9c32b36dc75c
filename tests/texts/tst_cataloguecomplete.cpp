// Every text the program looks up must exist in all five languages.
#include "CatalogueSource.h"
#include "LanguageDialog.h"
#include "MainWindow.h"
#include "ProgramState.h"
#include "TextKeys.h"
#ifdef HAVE_SHAPE_DUMP_KEYS
#include "ShapeDumpTextKeys.h"
#endif

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QSet>
#include <QToolBar>
#include <QtTest>

namespace {
QString keyOf(const QString& form, const QString& control, const QString& property)
{
    return (form + '/' + control + '/' + property).toLower();
}

// The caption keys the window translation looks up for a window's
// translatable controls: labels, panels, buttons, menu and toolbar tools.
QStringList captionKeys(QWidget* window)
{
    const QString form = window->objectName();
    QStringList keys;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const QString prefix = control->objectName().left(3).toLower();
        if (prefix == "cmd" || prefix == "lbl" || prefix == "pan" || prefix == "chk" ||
            prefix == "opt")
            keys << keyOf(form, control->objectName(), "caption");
    }
    for (QAction* action : window->findChildren<QAction*>()) {
        const QString name = action->objectName();
        if ((name.startsWith("mnu") || name.startsWith("tb")) && !action->isSeparator())
            keys << keyOf(form, name, "caption");
    }
    for (QToolBar* toolbar : window->findChildren<QToolBar*>())
        keys << keyOf(form, toolbar->objectName(), "caption");
    return keys;
}
} // namespace

class TestCatalogueComplete : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyRowHasAllLanguages();
    void messageKeysExist_data();
    void messageKeysExist();
    void windowCaptionsExist_data();
    void windowCaptionsExist();

private:
    CatalogueSource m_source;
    QSet<QString> m_keys;
};

void TestCatalogueComplete::initTestCase()
{
    QStringList errors;
    m_source = CatalogueSource::parseFile(QStringLiteral(CATALOGUE_SOURCE), &errors);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
    QCOMPARE(m_source.languageColumns.size(), 5);
    for (const CatalogueRow& row : m_source.rows)
        m_keys.insert(keyOf(row.form, row.control, row.property));
}

void TestCatalogueComplete::everyRowHasAllLanguages()
{
    QStringList incomplete;
    for (const CatalogueRow& row : m_source.rows) {
        for (int i = 0; i < row.texts.size(); ++i) {
            if (row.texts.at(i).isEmpty())
                incomplete << QString("line %1 (%2/%3/%4): %5 missing")
                                  .arg(row.line)
                                  .arg(row.form, row.control, row.property,
                                       m_source.languageColumns.at(i));
        }
    }
    QVERIFY2(incomplete.isEmpty(), qPrintable(incomplete.join('\n')));
}

void TestCatalogueComplete::messageKeysExist_data()
{
    QTest::addColumn<QString>("key");
    QList<TextKey> keys = TextKeys::all();
#ifdef HAVE_SHAPE_DUMP_KEYS
    keys += ShapeDumpTextKeys::all();
#endif
    for (const TextKey& key : keys) {
        const QString k = keyOf(key.form, key.control, key.property);
        QTest::newRow(qPrintable(k)) << k;
    }
}

void TestCatalogueComplete::messageKeysExist()
{
    QFETCH(QString, key);
    QVERIFY2(m_keys.contains(key), qPrintable(key));
}

void TestCatalogueComplete::windowCaptionsExist_data()
{
    QTest::addColumn<QString>("key");
    ProgramState state;
    MainWindow main(state);
    for (const QString& key : captionKeys(&main))
        QTest::newRow(qPrintable(key)) << key;
}

void TestCatalogueComplete::windowCaptionsExist()
{
    QFETCH(QString, key);
    QVERIFY2(m_keys.contains(key), qPrintable(key));
}

QTEST_MAIN(TestCatalogueComplete)
#include "tst_cataloguecomplete.moc"
