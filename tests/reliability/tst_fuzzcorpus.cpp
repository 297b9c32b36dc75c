// The fuzz programs' seeds and every finding they made run through the
// readers: the seeds (whole files from a demo folder) must be read, the
// findings must be refused or read without a crash.
#include "FuzzTargets.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {
using Target = bool (*)(const uint8_t*, size_t);
struct Reader {
    const char* name;
    Target target;
    bool seedsRead; // the dump lists only single-part polygons, not every seed
};
const Reader readers[] = {{"shapefile", fuzzShapefile, true},
                          {"attributetable", fuzzAttributeTable, true},
                          {"descriptionfile", fuzzDescriptionFile, true},
                          {"shapedump", fuzzShapeDump, false}};
} // namespace

class tst_FuzzCorpus : public QObject {
    Q_OBJECT
private slots:
    void corpus_data()
    {
        QTest::addColumn<int>("reader");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("mustRead");
        for (int r = 0; r < int(std::size(readers)); ++r) {
            for (const char* kind : {"seeds", "regressions"}) {
                const QDir dir(QStringLiteral(SORVAN_FUZZ_DIR "/%1/%2").arg(kind, readers[r].name));
                for (const QString& name : dir.entryList(QDir::Files)) {
                    const bool seed = QLatin1String(kind) == QLatin1String("seeds");
                    QTest::addRow("%s/%s/%s", kind, readers[r].name, qPrintable(name))
                        << r << dir.filePath(name) << (seed && readers[r].seedsRead);
                }
            }
        }
    }

    void corpus()
    {
        QFETCH(int, reader);
        QFETCH(QString, file);
        QFETCH(bool, mustRead);
        QFile in(file);
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QByteArray bytes = in.readAll();
        const bool read = readers[reader].target(
            reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
        if (mustRead)
            QVERIFY(read);
    }
};

QTEST_GUILESS_MAIN(tst_FuzzCorpus)
#include "tst_fuzzcorpus.moc"
