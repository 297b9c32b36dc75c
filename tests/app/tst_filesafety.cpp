// The user's data is sacred: what the program writes, replaces or deletes is
// a regular file inside the program folder; links and special files are left
// alone and named; nothing blocks on a FIFO; clean-up never removes what the
// run did not create.
#include "DemoFolderBuilder.h"
#include "FieldDeletion.h"
#include "FolderListing.h"
#include "GpsAssignment.h"
#include "GpsDeletion.h"
#include "GpsImport.h"
#include "LanguageFile.h"
#include "MainWindow.h"
#include "ModalAnswer.h"
#include "ProgramFolderSetup.h"
#include "ProgramRun.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"
#include "Prompter.h"
#include "SettingsStore.h"
#include "ShapeDump.h"
#include "ShapeFixture.h"
#include "ShapefileReader.h"
#include "ShapelibHooks.h"
#include "StagingFolder.h"
#include "TestFolder.h"
#include "TextCatalogue.h"

#include <QDir>
#include <QtTest>

#include <functional>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// Runs fn as an ordinary user in a program folder that may be entered but not
// listed (mode 311): in this process when it runs as one, otherwise in a child
// switched to the user "nobody". Returns fn's result (99 when the child
// crashed); -1 when no ordinary user is available.
int inUnlistableFolder(const QString& root, const QString& program, const std::function<int()>& fn)
{
    const QByteArray folder = QFile::encodeName(program);
    if (::geteuid() != 0) {
        ::chmod(folder, 0311);
        const int result = fn();
        ::chmod(folder, 0755);
        return result;
    }
    const passwd* nobody = ::getpwnam("nobody");
    if (!nobody || ::chmod(QFile::encodeName(root), 0711) != 0 ||
        ::chown(folder, nobody->pw_uid, nobody->pw_gid) != 0 || ::chmod(folder, 0311) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 ||
            ::setuid(nobody->pw_uid) != 0)
            ::_exit(90);
        ::_exit(fn());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ::chmod(folder, 0755);
    if (!WIFEXITED(status))
        return 99; // the child crashed
    return WEXITSTATUS(status) == 90 ? -1 : WEXITSTATUS(status);
}

void writePlotFiles(const QString& farm)
{
    QDir().mkpath(farm);
    for (const char* name : {"u.SHP", "u.SHX", "u.DBF"}) {
        QFile file(farm + '/' + name);
        if (QFileInfo(file).isSymLink())
            continue;
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("plot");
    }
}
} // namespace

class TestFileSafety : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        Prompter::instance().setTestMode(true);
        Prompter::instance().clearShown();
    }

    void linksOutOfTheFolderAreLeftAlone_data()
    {
        // "name>target", relative to the program folder; the targets lie beside it:
        // "canary.mdb" a usable project database (SQLite would write into it
        // gladly), "empty" an empty folder, "" the folder holding both.
        QTest::addColumn<QStringList>("links");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QStringList>("named"); // entries the program says it left alone
        const QString canary = "GISDATEN.MDB>canary.mdb";
        QTest::newRow("language file saved")
            << QStringList{"SPRACHE.DAT>canary.mdb"} << "language" << QStringList{"SPRACHE.DAT"};
        QTest::newRow("installation beside links")
            << QStringList{canary, "texte.mdb>canary.mdb", "leer.DBF>canary.mdb"} << "install"
            << QStringList{};
        QTest::newRow("project database written")
            << QStringList{canary} << "database" << QStringList{"GISDATEN.MDB"};
        QTest::newRow("project database journal")
            << QStringList{"GISDATEN.MDB-journal>canary.mdb"} << "database"
            << QStringList{"GISDATEN.MDB-journal"};
        QTest::newRow("staging folder is a link")
            << QStringList{"temp>"} << "staging" << QStringList{"temp"};
        QTest::newRow("links inside the staging folder")
            << QStringList{"temp/u.SHP>canary.mdb", "temp/x.DBF>canary.mdb"} << "staging"
            << QStringList{};
        QTest::newRow("demo GPS folder is a link")
            << QStringList{"shapes>empty"} << "demo" << QStringList{"shapes"};
        QTest::newRow("demo database is a link")
            << QStringList{canary} << "demo" << QStringList{"GISDATEN.MDB"};
        // Farms, plots and measurements: "Hof>" is a farm folder leading to the
        // folder that holds the canary.
        QTest::newRow("farm deleted through a link")
            << QStringList{"Hof>"} << "deletefarm" << QStringList{"Hof"};
        QTest::newRow("plots of a linked farm deleted")
            << QStringList{"Hof>"} << "deleteplot" << QStringList{"Hof"};
        QTest::newRow("plot file is a link")
            << QStringList{"Hof/u.SHP>canary.mdb"} << "deleteplot" << QStringList{"Hof/u.SHP"};
        QTest::newRow("measurement assigned to a linked farm")
            << QStringList{"Hof>empty"} << "assign" << QStringList{"Hof"};
        QTest::newRow("working copy of the import is a link")
            << QStringList{"gps/AF.SHP>canary.mdb"} << "gpsimport" << QStringList{"gps/AF.SHP"};
        QTest::newRow("measurement deleted through a link")
            << QStringList{"gps/AF.SHX>canary.mdb"} << "gpsdelete" << QStringList{"gps/AF.SHX"};
        QTest::newRow("settings file is a link")
            << QStringList{"settings.ini>canary.mdb"} << "settings" << QStringList{};
        QTest::newRow("language file read through a link")
            << QStringList{"SPRACHE.DAT>canary.mdb"} << "languageread"
            << QStringList{"SPRACHE.DAT"};
        QTest::newRow("delivered description is a link")
            << QStringList{"gps/A_F.DES>canary.mdb"} << "gpsimport" << QStringList{"gps/A_F.DES"};
        QTest::newRow("viewer start") << QStringList{"SPRACHE.DAT>canary.mdb", canary} << "viewer"
                                      << QStringList{"SPRACHE.DAT", "GISDATEN.MDB"};
    }

    void linksOutOfTheFolderAreLeftAlone()
    {
        QFETCH(QStringList, links);
        QFETCH(QString, step);
        QFETCH(QStringList, named);
        TestFolder root;
        const QString outside = root.makeFolder("outside");
        QVERIFY(QDir().mkpath(outside + "/empty"));
        QVERIFY(!ProjectDatabase::createEmpty(outside + "/canary.mdb").isError());
        const QString program = root.makeFolder("program");
        for (const QString& link : links) {
            const QString path = program + '/' + link.section('>', 0, 0);
            QDir().mkpath(QFileInfo(path).path());
            QVERIFY(QFile::link(outside + '/' + link.section('>', 1), path));
        }
        const QStringList before = folderSnapshot(outside);

        const QString reported = runWriteStep(step, program).join('\n');

        QCOMPARE(folderSnapshot(outside), before);
        for (const QString& name : named) {
            QVERIFY2(reported.contains(name), qPrintable(name + " not named in: " + reported));
            QVERIFY(QFileInfo(program + '/' + name).isSymLink());
        }
    }

    void specialFilesAreRefused_data()
    {
        QTest::addColumn<QString>("fifo"); // relative to the program folder
        QTest::addColumn<QString>("step");
        const std::pair<const char*, const char*> rows[] = {
            {"SPRACHE.DAT", "language read"}, {"SPRACHE.DAT", "language write"},
            {"Hof/u.SHP", "shapefile"},       {"Hof/u.SHX", "shapefile"},
            {"Hof/u.DBF", "attributes"},      {"Hof/u.SHP", "staging"},
            {"Hof/u.SHP", "listing"},         {"Hof/u.SHP", "dump"},
            {"GISDATEN.MDB", "database"},     {"texte.mdb", "catalogue"}};
        for (const auto& [fifo, step] : rows)
            QTest::addRow("%s, %s", step, fifo) << QString(fifo) << QString(step);
    }

    void specialFilesAreRefused()
    {
        QFETCH(QString, fifo);
        QFETCH(QString, step);
        TestFolder root;
        const QString program = root.makeFolder("program");
        writePlotFiles(program + "/Hof");
        QFile::remove(program + '/' + fifo);
        QCOMPARE(::mkfifo(QFile::encodeName(program + '/' + fifo), 0644), 0);

        ::alarm(20); // a step that blocks on the FIFO ends the test program
        const OperationError error = runReadStep(step, program);
        ::alarm(0);
        QCOMPARE(error.kind, ErrorKind::Refused);
        QVERIFY2(error.where.contains(fifo.section('/', -1)), qPrintable(error.where));
        QVERIFY(QFileInfo(program + '/' + fifo).exists()); // left where it was
    }

    void installationKeepsDatabaseOfUnlistableFolder()
    {
        TestFolder root;
        const QString program = root.makeFolder("program");
        QVERIFY(!ProjectDatabase::createEmpty(program + "/GISDATEN.MDB").isError());
        const QByteArray before = root.readFile("program/GISDATEN.MDB");

        const int status = inUnlistableFolder(root.path(), program, [&] {
            return ProgramFolderSetup::installMissingFiles(program).error.isError() ? 1 : 0;
        });
        if (status < 0)
            QSKIP("no ordinary user to run the installation as");

        QCOMPARE(root.readFile("program/GISDATEN.MDB"), before);
        QCOMPARE(status, 0);
        QVERIFY(QFileInfo(program + "/texte.mdb").isFile());
        QVERIFY(QFileInfo(program + "/leer.DBF").isFile());
    }

private:
    // Runs one write path over the program folder; returns what the program
    // reported: the places of its errors, or the texts of its messages.
    QStringList runWriteStep(const QString& step, const QString& program)
    {
        QStringList reported;
        auto note = [&](const OperationError& error) {
            if (error.isError())
                reported << error.where;
        };
        if (step == "language") {
            OperationError error;
            LanguageFile::write(program, 2, &error);
            note(error);
        } else if (step == "languageread") {
            OperationError error;
            if (LanguageFile::read(program, &error))
                reported << "read";
            note(error);
        } else if (step == "install") {
            note(ProgramFolderSetup::installMissingFiles(program).error);
        } else if (step == "database") {
            ProgramFolderSetup::installMissingFiles(program);
            ProjectDatabase database;
            const OperationError error = database.open(program);
            note(error);
            if (!error.isError()) {
                database.addGps({"AF", "20240501"});
                database.clearGpsdaten();
            }
        } else if (step == "staging") {
            const QString temp = StagingFolder::path(program);
            writePlotFiles(program + "/Hof");
            note(StagingFolder::prepare(temp));
            for (const OperationError& error :
                 StagingFolder::copyShapefile(program + "/Hof", "u", temp))
                note(error);
        } else if (step == "demo") {
            note(DemoFolderBuilder().build(program).error);
        } else if (step == "settings") {
            SettingsStore store(program + "/settings.ini");
            store.saveSetting("Betriebsfenster", "1");
            store.sync();
        } else if (step.startsWith("delete") || step == "assign" || step.startsWith("gps")) {
            ProgramFolderSetup::installMissingFiles(program);
            ProjectDatabase database;
            note(database.open(program));
            ProgramState state;
            state.programmpfad = program;
            state.gpspfad = program + "/gps";
            state.database = &database;
            const QString gps = program + "/gps/A";
            for (const char* ext :
                 {"_F.SHP", "_F.SHX", "_F.DBF", "_F.DES", "F.SHP", "F.SHX", "F.DBF", ".DES"}) {
                QFile file(gps + ext);
                if (!QFileInfo(file).isSymLink() && file.open(QIODevice::WriteOnly))
                    file.write("x\r\nFlaeche [ha]:    2.5\r\nb\r\nc\r\n");
            }
            // A measurement the map can draw: only then does its assignment copy.
            if (!QFileInfo(gps + "F.SHP").isSymLink() && !QFileInfo(gps + "F.SHX").isSymLink())
                ShapeFixture::writeSquare(program + "/gps", "AF", 0, 0, 10);
            if (!QFileInfo(program + "/Hof").isSymLink())
                writePlotFiles(program + "/Hof");
            if (step == "deletefarm")
                note(FieldDeletion::deleteFarm(state, "Hof"));
            else if (step == "deleteplot")
                note(FieldDeletion::deletePlots(state, {{"Hof", "u"}}));
            else if (step == "assign")
                note(GpsAssignment::assign(state, "Hof", {"A"}).error);
            else if (step == "gpsdelete")
                note(GpsDeletion::deleteMeasurements(state.gpspfad, {"A"}));
            else
                for (const OperationError& problem : GpsImport::gpsdateneinlesen(state).problems)
                    note(problem);
        } else if (step == "viewer") {
            ProgramRun::Options options;
            options.programFolder = program;
            options.settingsFile = program + "/../settings.ini";
            options.startWindow = false;
            ProgramRun run(options);
            // SPRACHE.DAT leads to a file without a language number: the
            // language dialog asks, and German is taken.
            whenModalShown([](QDialog* dialog) { dialog->accept(); });
            run.start();
            if (run.mainWindow())
                run.mainWindow()->close();
            for (const Prompter::Shown& shown : Prompter::instance().shown())
                reported << shown.text;
        }
        return reported;
    }

    // Runs one read path; returns the refusal it reported.
    OperationError runReadStep(const QString& step, const QString& program)
    {
        const QString farm = program + "/Hof";
        if (step == "language read") {
            OperationError error;
            if (LanguageFile::read(program, &error).has_value())
                return {};
            return error;
        }
        if (step == "language write") {
            OperationError error;
            LanguageFile::write(program, 2, &error);
            return error;
        }
        if (step == "shapefile")
            return ShapefileReader::read(farm + "/u.SHP").error;
        if (step == "attributes") {
            ShapelibSession session;
            DbfHandle table(DBFOpenLL(QFile::encodeName(farm + "/u.DBF"), "rb", session.hooks()),
                            &DBFClose);
            return table ? OperationError{}
                         : OperationError{ErrorKind::Refused, {}, session.errorText()};
        }
        if (step == "staging") {
            const QList<OperationError> problems =
                StagingFolder::copyShapefile(farm, "u", StagingFolder::path(program));
            return problems.isEmpty() ? OperationError{} : problems.first();
        }
        if (step == "listing") {
            const FolderListing listing(farm);
            if (!listing.filesWithSuffix(".shp").isEmpty() || !listing.find("u.SHP").isEmpty())
                return {};
            return {ErrorKind::Refused, {}, farm + "/u.SHP"};
        }
        if (step == "dump")
            return ShapeDump::dumpShapefile(farm + "/u.SHP").error;
        if (step == "database") {
            ProjectDatabase database;
            return database.open(program);
        }
        TextCatalogue catalogue;
        return catalogue.open(program);
    }
};

QTEST_MAIN(TestFileSafety)
#include "tst_filesafety.moc"
