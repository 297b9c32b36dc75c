#include "MapDataSource.h"
#include "ShapeCache.h"
#include "ShapeFixture.h"
#include "StagingFolder.h"
#include "TestFolder.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace ShapeFixture;

namespace {
struct stat statOf(const QString& path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

// Plot u of farm folder, written an hour ago: settled enough to be kept.
void writeOldSquare(const QString& folder, double x)
{
    writeSquare(folder, "u", x, 0, 10);
    for (const char* ext : {"/u.SHP", "/u.SHX"}) {
        QFile file(folder + ext);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
    }
}

const MapTable* onlyTable(const QString& folder)
{
    const auto source = MapDataSource::openFolder("Data1", folder);
    return source && source->tableCount() == 1 ? source->table(0).get() : nullptr;
}
} // namespace

class TestStagingSpeed : public QObject {
    Q_OBJECT
private slots:
    void unchangedPlotIsNotReadAgain()
    {
        TestFolder folder;
        const QString temp = folder.makeFolder("temp");
        writeOldSquare(temp, 0);
        const MapTable* first = onlyTable(temp);
        QVERIFY(first);
        QCOMPARE(onlyTable(temp), first);

        writeOldSquare(temp, 500); // same size, new content and time
        const MapTable* changed = onlyTable(temp);
        QVERIFY(changed && changed != first);
        QCOMPARE(changed->bounds().minX, 500.0);
    }

    void emptyingLinkedStagingKeepsFarmFiles()
    {
        TestFolder folder;
        const QString farm = folder.makeFolder("Hof");
        writeSquare(farm, "u", 0, 0, 10);
        const QByteArray before = folder.readFile("Hof/u.SHP");
        const QString temp = StagingFolder::path(folder.path());
        QVERIFY(!StagingFolder::prepare(temp).isError());
        QVERIFY(StagingFolder::copyShapefile(farm, "u", temp).isEmpty());
        QCOMPARE(statOf(temp + "/u.SHP").st_ino, statOf(farm + "/u.SHP").st_ino);

        // with the scratch of a copy cut short, which goes as well
        folder.writeFile("temp/.new-AbC123/u.SHP", "half");
        QVERIFY(!StagingFolder::prepare(temp).isError());
        QVERIFY(!QFile::exists(temp + "/u.SHP"));
        QVERIFY(!QFileInfo::exists(temp + "/.new-AbC123"));
        QCOMPARE(folder.readFile("Hof/u.SHP"), before);
        QVERIFY(QFile::exists(farm + "/u.SHX"));
    }

    void stagingCopiesWhereLinkingIsImpossible()
    {
        TestFolder farms;
        const QString farm = farms.makeFolder("Hof");
        writeSquare(farm, "u", 0, 0, 10);
        QTemporaryDir program(QStringLiteral("/dev/shm/tst_stagingspeed-XXXXXX"));
        if (!program.isValid() || statOf(program.path()).st_dev == statOf(farm).st_dev)
            QSKIP("no second file system to stage across");
        const QString temp = StagingFolder::path(program.path());
        QVERIFY(!StagingFolder::prepare(temp).isError());
        QVERIFY(StagingFolder::copyShapefile(farm, "u", temp).isEmpty());
        QVERIFY(statOf(temp + "/u.SHP").st_ino != 0);
        QVERIFY(onlyTable(temp));
        QFile staged(temp + "/u.SHP");
        QVERIFY(staged.open(QIODevice::ReadOnly));
        QCOMPARE(staged.readAll(), farms.readFile("Hof/u.SHP"));
    }
};

QTEST_GUILESS_MAIN(TestStagingSpeed)
#include "tst_stagingspeed.moc"
