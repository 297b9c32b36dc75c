// The handheld's folder palm/dolvenar in the home folder is found whatever
// the case of its name, and its first sub-folder is the first ignoring case.
#include "GpsPathDefault.h"
#include "TestFolder.h"

#include <QtTest>

class TestHandheldFolder : public QObject {
    Q_OBJECT
private slots:
    void firstSubFolderIgnoringCase_data();
    void firstSubFolderIgnoringCase();
};

void TestHandheldFolder::firstSubFolderIgnoringCase_data()
{
    QTest::addColumn<QStringList>("folders"); // below a home folder
    QTest::addColumn<QString>("expected");    // "" = the program folder
    QTest::newRow("as composed") << QStringList{"palm/dolvenar/user1"} << "palm/dolvenar/user1";
    QTest::newRow("other case") << QStringList{"Palm/DOLVENAR/User1"} << "Palm/DOLVENAR/User1";
    QTest::newRow("entries ordered ignoring case")
        << QStringList{"palm/dolvenar/Zeller", "palm/dolvenar/adam"} << "palm/dolvenar/adam";
    QTest::newRow("no handheld folder") << QStringList{"palm/other/user1"} << QString();
}

void TestHandheldFolder::firstSubFolderIgnoringCase()
{
    QFETCH(QStringList, folders);
    QFETCH(QString, expected);
    TestFolder home;
    const QString program = home.makeFolder("program");
    for (const QString& folder : folders)
        home.makeFolder(folder);
    qputenv("HOME", QFile::encodeName(home.path()));
    QCOMPARE(GpsPathDefault::defaultGpsPath(program),
             expected.isEmpty() ? program : home.file(expected));
}

QTEST_MAIN(TestHandheldFolder)
#include "tst_handheldfolder.moc"
