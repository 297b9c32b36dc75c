#include "MapDataSource.h"
#include "ShapeCache.h"
#include "ShapeFixture.h"
#include "StagingFolder.h"
#include "TestFolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

using namespace ShapeFixture;

namespace {
struct stat statOf(const QString& path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

// Plot u of folder: a square at x, its files' modification time set to
// modifiedNs (as cp -p or rsync -t carry it over), to the nanosecond.
void writeSquareModifiedAt(const QString& folder, double x, const timespec& modified)
{
    writeSquare(folder, "u", x, 0, 10);
    for (const char* ext : {"/u.SHP", "/u.SHX"}) {
        const timespec times[2] = {modified, modified};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(folder + ext).constData(), times, 0), 0);
    }
}

std::shared_ptr<const MapTable> onlyTable(const QString& folder)
{
    const auto source = MapDataSource::openFolder("Data1", folder);
    return source && source->tableCount() == 1 ? source->table(0) : nullptr;
}
} // namespace

class TestStagingSpeed : public QObject {
    Q_OBJECT
private slots:
    void unchangedPlotIsNotReadAgain()
    {
        TestFolder folder;
        const QString temp = folder.makeFolder("temp");
        const timespec anHourAgo{::time(nullptr) - 3600, 123456789};
        writeSquareModifiedAt(temp, 0, anHourAgo);
        const struct stat written = statOf(temp + "/u.SHP");
        QCOMPARE(written.st_mtim.tv_nsec, anHourAgo.tv_nsec);
        QTest::qSleep(2100); // past the interval in which a file may still change unseen
        const auto first = onlyTable(temp);
        QVERIFY(first);
        // first is still held, so an equal address is the same table, kept
        QCOMPARE(onlyTable(temp), first);

        // replaced in place: same size, same inode, modification time carried over
        writeSquareModifiedAt(temp, 500, anHourAgo);
        const struct stat replaced = statOf(temp + "/u.SHP");
        QCOMPARE(replaced.st_size, written.st_size);
        QCOMPARE(replaced.st_mtim.tv_sec, written.st_mtim.tv_sec);
        QCOMPARE(replaced.st_mtim.tv_nsec, written.st_mtim.tv_nsec);
        const auto changed = onlyTable(temp);
        QVERIFY(changed);
        QCOMPARE(changed->bounds().minX, 500.0);
        // just changed, so not kept: a second replacement at once is seen too
        writeSquareModifiedAt(temp, 900, anHourAgo);
        const auto again = onlyTable(temp);
        QVERIFY(again);
        QCOMPARE(again->bounds().minX, 900.0);
    }

    // A plot written moments ago is not kept across openings, but the
    // measures taken right after drawing it use the table drawn, not a
    // second read.
    void freshPlotIsReadOncePerRound()
    {
        TestFolder folder;
        const QString temp = folder.makeFolder("temp");
        writeSquare(temp, "u", 0, 0, 10);
        ShapeCache& cache = ShapeCache::shared();
        const ShapeCache::Request request{temp + "/u.SHP", temp + "/u.SHX"};
        cache.beginRound();
        const QList<ShapefileReader::Result> drawn = cache.readAll({request});
        QCOMPARE(drawn.size(), 1);
        QVERIFY(drawn.first().table);
        QCOMPARE(cache.readThisRound(request.shpPath, request.shxPath).table,
                 drawn.first().table);
        cache.beginRound();
        QVERIFY(cache.readThisRound(request.shpPath, request.shxPath).table !=
                drawn.first().table);
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
