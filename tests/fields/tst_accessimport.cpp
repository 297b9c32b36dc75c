// sorvan-gis import-mdb on the generated Access fixtures: every row as
// expected, and every failure leaving the program folder as it was.
#include "CliRun.h"
#include "ProjectDatabase.h"
#include "SqliteConnection.h"
#include "TestFolder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtEndian>
#include <QtTest>

#include <unistd.h>

namespace {
const QString fixtures = QStringLiteral(SORVAN_REALDATA_DIR "/access");

CliRun importMdb(const QStringList& args, bool asNobody = false)
{
    return runCli(QStringLiteral(SORVAN_CLI), QStringList{"import-mdb"} + args, asNobody);
}

QByteArray fixtureBytes(const QString& name)
{
    QFile file(fixtures + '/' + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Damages the table definition of schlagdaten in a Jet 4 file (pages of 4096
// bytes, 25-byte column entries after 12-byte index entries from byte 63).
// damage: "columns N" sets the column count; "type C T", "offset C N"
// set column C's type byte or fixed offset; "name A B" renames column A.
bool damageDefinition(QByteArray* bytes, const QString& damage)
{
    const QByteArray marker = QByteArray("\x0e\x00", 2) + QByteArray("F\0l\0a\0e\0c\0h\0e\0", 14);
    qsizetype at = bytes->indexOf(marker);
    while (at >= 0 && bytes->at(at / 4096 * 4096) != 0x02) // a table definition page
        at = bytes->indexOf(marker, at + 1);
    if (at < 0)
        return false;
    char* page = bytes->data() + at / 4096 * 4096;
    const auto u16 = [&](int offset) { return qFromLittleEndian<quint16>(page + offset); };
    const int columns = u16(45);
    const int entries = 63 + int(qFromLittleEndian<quint32>(page + 51)) * 12;
    QStringList names;
    for (int i = 0, position = entries + columns * 25; i < columns; ++i) {
        names << QString::fromUtf16(reinterpret_cast<const char16_t*>(page + position + 2),
                                    u16(position) / 2);
        position += 2 + u16(position);
    }
    const QStringList words = damage.split(' ');
    char* entry = page + entries + 25 * int(names.indexOf(words.value(1)));
    if (words.at(0) == "columns")
        qToLittleEndian<quint16>(words.at(1).toUShort(), page + 45);
    else if (words.at(0) == "type")
        entry[0] = char(words.at(2).toInt());
    else if (words.at(0) == "offset")
        qToLittleEndian<quint16>(words.at(2).toUShort(), entry + 21);
    else if (words.at(0) == "name")
        bytes->replace(at + 2, 14, QByteArray(reinterpret_cast<const char*>(words.at(2).utf16()), 14));
    return true;
}

// Compares a value read back from the project database with expected.json's.
bool sameValue(const QVariant& actual, const QJsonValue& expected)
{
    if (expected.isNull())
        return actual.isNull();
    if (expected.isString())
        return actual.typeId() == QMetaType::QString && actual.toString() == expected.toString();
    // Doubles bit for bit, integers as stored.
    return !actual.isNull() && actual.toDouble() == expected.toDouble();
}
} // namespace

class TestAccessImport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!QFileInfo::exists(fixtures + "/expected.json"))
            QSKIP("the Access fixtures are absent");
    }
    void importsEveryRow_data();
    void importsEveryRow();
    void failureLeavesFolderUnchanged_data();
    void failureLeavesFolderUnchanged();
};

void TestAccessImport::importsEveryRow_data()
{
    QTest::addColumn<QString>("fixture");
    for (const char* name : {"GISDATEN-jet4.mdb", "GISDATEN-jet4-empty.mdb",
                             "GISDATEN-jet4-extra.mdb", "GISDATEN-ace.accdb"})
        QTest::newRow(name) << name;
}

void TestAccessImport::importsEveryRow()
{
    QFETCH(QString, fixture);
    QFile json(fixtures + "/expected.json");
    QVERIFY(json.open(QIODevice::ReadOnly));
    const QJsonObject expected =
        QJsonDocument::fromJson(json.readAll())["files"][fixture]["tables"].toObject();
    QVERIFY(!expected.isEmpty());

    TestFolder folder;
    const QByteArray original = fixtureBytes(fixture);
    folder.writeFile("GISDATEN.MDB", original);
    const CliRun run = importMdb({"--folder", folder.path()});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(folder.readFile("GISDATEN.access.mdb"), original);

    SqliteConnection connection;
    QCOMPARE(connection.open(folder.file("GISDATEN.MDB"), true).detail, QString());
    QStringList leftOut;
    for (const QString& table : ProjectDatabase::tableNames()) {
        const QJsonArray rows = expected[table]["rows"].toArray();
        QVERIFY2(run.out.contains(QString("\t%1\n").arg(rows.size())), qPrintable(run.out));
        QSqlQuery query(connection.database());
        QVERIFY(query.exec("select * from " + table + " order by rowid"));
        const QSqlRecord columns = query.record();
        for (const QJsonValue& column : expected[table]["columns"].toArray()) {
            if (columns.indexOf(column["name"].toString()) < 0)
                leftOut << "left out\t" + table + '.' + column["name"].toString();
        }
        for (const QJsonValue& row : rows) {
            QVERIFY(query.next());
            const QJsonObject values = row.toObject();
            for (auto value = values.begin(); value != values.end(); ++value) {
                const int index = columns.indexOf(value.key());
                if (index >= 0)
                    QVERIFY2(
                        sameValue(query.value(index), value.value()),
                        qPrintable(QString("%1.%2: %3")
                                       .arg(table, value.key(), query.value(index).toString())));
            }
        }
        QVERIFY(!query.next());
    }
    QCOMPARE(run.err.split('\n', Qt::SkipEmptyParts), leftOut);
}

void TestAccessImport::failureLeavesFolderUnchanged_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<int>("code");
    QTest::newRow("cut short within a page") << "cut at 100000" << 3009;
    QTest::newRow("cut short at a page boundary") << "cut at 139264" << 3009;
    QTest::newRow("unreadable file") << "unreadable" << 70;
    QTest::newRow("read-only folder") << "read-only folder" << 75;
    QTest::newRow("SQLite GISDATEN.MDB beside the file") << "sqlite beside" << 75;
    QTest::newRow("name for the Access file taken") << "kept name taken" << 75;
    // Damaged table definitions of schlagdaten: 13 columns, Flaeche a Double.
    QTest::newRow("one column more than defined") << "columns 14" << 3009;
    QTest::newRow("one column less than defined") << "columns 12" << 3009;
    QTest::newRow("Flaeche a Long in a Double's place") << "type Flaeche 4" << 3009;
    QTest::newRow("Flaeche a Text") << "type Flaeche 10" << 3009;
    QTest::newRow("Umfang at the offset of Flaeche") << "offset Umfang 12" << 3009;
    QTest::newRow("maxDOP in the variable part of the row") << "offset maxDOP 40" << 3009;
    QTest::newRow("Flaeche misspelled") << "name Flaeche Flaechx" << 3004;
    QTest::newRow("unprintable column name") << "name Flaeche Fl\001eche" << 3009;
}

void TestAccessImport::failureLeavesFolderUnchanged()
{
    QFETCH(QString, damage);
    QFETCH(int, code);
    TestFolder folder;
    QByteArray bytes = fixtureBytes("GISDATEN-jet4.mdb");
    if (damage.startsWith("cut at"))
        bytes.truncate(damage.mid(7).toInt());
    const bool definition = QRegularExpression("^(columns|type|offset|name) ").match(damage).hasMatch();
    if (definition)
        QVERIFY(damageDefinition(&bytes, damage));
    QStringList args{"--folder", folder.path()};
    if (damage == "sqlite beside") {
        QCOMPARE(ProjectDatabase::createEmpty(folder.file("GISDATEN.MDB")).detail, QString());
        args << fixtures + "/GISDATEN-jet4.mdb";
    } else {
        folder.writeFile("GISDATEN.MDB", bytes);
    }
    if (damage == "kept name taken")
        folder.writeFile("gisdaten.ACCESS.mdb", "an earlier copy");
    // The folder belongs to root: the user "nobody" may read it, not write it.
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                             QFile::ReadOther | QFile::ExeOther);
    if (damage == "unreadable")
        QFile::setPermissions(folder.file("GISDATEN.MDB"), {});
    if (damage == "read-only folder" && ::geteuid() != 0)
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
    const QStringList before = folderSnapshot(folder.path());

    const CliRun run = importMdb(args, damage == "unreadable" || damage == "read-only folder");
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(run.exitCode, 1);
    // The reader's own warnings may come first.
    QVERIFY2(run.err.contains(QRegularExpression(QString("(^|\n)error\t%1\t").arg(code))),
             qPrintable(run.err));
    QCOMPARE(run.out, QString());
    if (definition && !damage.startsWith("columns"))
        QVERIFY2(run.err.contains("schlagdaten") && run.err.contains("GISDATEN.MDB") &&
                     run.err.contains(damage.section(' ', 1, 1).left(2)),
                 qPrintable(run.err));
    QCOMPARE(folderSnapshot(folder.path()), before);
}

QTEST_MAIN(TestAccessImport)
#include "tst_accessimport.moc"
