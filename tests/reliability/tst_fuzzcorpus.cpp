// The fuzz programs' seeds and findings run through the readers: a seed (a
// whole file of the demo folder) must be read, a finding must be refused or
// read without a crash.
#include "FuzzTargets.h"

#include <QDir>
#include <QTest>

namespace {
const std::pair<const char*, bool (*)(const uint8_t*, size_t)> readers[] = {
    {"shapefile", fuzzShapefile},
    {"attributetable", fuzzAttributeTable},
    {"descriptionfile", fuzzDescriptionFile},
    {"shapedump", fuzzShapeDump}, // lists single-part polygons only: not every seed
};
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
            for (const QString kind : {"seeds", "regressions"}) {
                const QDir dir(
                    QStringLiteral(SORVAN_FUZZ_DIR "/%1/%2").arg(kind, readers[r].first));
                for (const QString& name : dir.entryList(QDir::Files))
                    QTest::addRow("%s/%s", qPrintable(kind), qPrintable(dir.dirName() + '/' + name))
                        << r << dir.filePath(name) << (kind == "seeds" && r != 3);
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
        const bool read = readers[reader].second(
            reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
        QVERIFY(read || !mustRead);
    }
};

QTEST_GUILESS_MAIN(tst_FuzzCorpus)
#include "tst_fuzzcorpus.moc"
