#include "ProgramRun.h"

#include "AccessImportQuestion.h"
#include "FarmFolders.h"
#include "LanguageFile.h"
#include "MainWindow.h"
#include "Messages.h"
#include "PlotMeasurement.h"
#include "StartWindow.h"
#include "Texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

ProgramRun::ProgramRun(const Options& options)
    : m_options(options), m_folder(options.programFolder), m_state(m_folder.state())
{
    m_settings = options.settingsFile.isEmpty()
                     ? std::make_unique<SettingsStore>()
                     : std::make_unique<SettingsStore>(options.settingsFile);
    m_state.settings = m_settings.get();
}

ProgramRun::~ProgramRun()
{
    m_mainWindow.reset();
}

void ProgramRun::reportStartFailure(const OperationError& error, const TextKey& otherwise)
{
    QTemporaryDir scratch;
    TextCatalogue builtIn;
    const QString copy = scratch.filePath(TextCatalogue::fileName());
    if (scratch.isValid() &&
        QFile::copy(QStringLiteral(":/install/") + TextCatalogue::fileName(), copy))
        builtIn.open(scratch.path());
    m_state.catalogue = builtIn.isOpen() ? &builtIn : nullptr;
    m_state.sprache = LanguageFile::read(m_state.programmpfad).value_or(1);
    sprachvariablen(m_state);
    if (!Messages::fileProblem(nullptr, m_state, error))
        Messages::failure(nullptr, m_state, otherwise, error,
                          {QDir::toNativeSeparators(error.where)});
    m_state.catalogue = nullptr;
}

bool ProgramRun::start()
{
    const QFileInfo folder(m_state.programmpfad);
    if (folder.exists() && !folder.isDir()) {
        reportStartFailure(
            {ErrorKind::FileNotFolder, QStringLiteral("is a file"), m_state.programmpfad},
            TextKeys::installFailed);
        return false;
    }
    // A deletion or assignment cut short last time is finished as the folder
    // opens; one that cannot be finished now is tried again at the next start.
    ProgramFolder::Steps steps;
    steps.createFolder = true;
    m_folder.open(steps);
    const OperationError setupError = m_folder.setupError;
    if (setupError.isError() &&
        !QFileInfo::exists(m_state.programFile(TextCatalogue::fileName()))) {
        reportStartFailure(setupError, TextKeys::installFailed);
        return false;
    }
    if (m_folder.catalogueError.isError()) {
        reportStartFailure(m_folder.catalogueError, TextKeys::catalogueUnusable);
        return false;
    }
    sprachvariablen(m_state); // titles for messages shown before the language is known
    OperationError dbError = m_folder.databaseError;

    std::unique_ptr<StartWindow> startWindow;
    if (m_options.startWindow) {
        startWindow = std::make_unique<StartWindow>();
        startWindow->showAndPaint();
    }
    m_mainWindow = std::make_unique<MainWindow>(m_state);
    m_mainWindow->load();
    startWindow.reset();
    m_mainWindow->show();

    if (setupError.isError())
        Messages::failure(m_mainWindow.get(), m_state, TextKeys::installFailed, setupError,
                          {setupError.where});
    if (!m_folder.installed.isEmpty())
        Messages::information(m_mainWindow.get(), m_state, TextKeys::installedFiles,
                              {m_folder.installed.join(QStringLiteral(", ")),
                               QDir::toNativeSeparators(m_state.programmpfad)});

    if (dbError.kind == ErrorKind::AccessDatabase)
        dbError = offerAccessImport(dbError.where);
    if (dbError.kind == ErrorKind::Refused)
        Messages::operatingError(m_mainWindow.get(), m_state, TextKeys::fileLeftAlone,
                                 {QDir::toNativeSeparators(dbError.where)});
    else if (dbError.isError() && !Messages::fileProblem(m_mainWindow.get(), m_state, dbError))
        Messages::operatingError(m_mainWindow.get(), m_state, TextKeys::databaseUnusable,
                                 {QDir::toNativeSeparators(dbError.where), dbError.detail});
    return true;
}

OperationError ProgramRun::offerAccessImport(const QString& accessFile)
{
    if (!AccessImportQuestion::ask(m_mainWindow.get(), m_state, accessFile))
        return {ErrorKind::AccessDatabase, QStringLiteral("Access database"), accessFile};
    const QString program =
        m_options.importProgram.isEmpty()
            ? QCoreApplication::applicationDirPath() + QStringLiteral("/sorvan-gis")
            : m_options.importProgram;
    const std::optional<AccessImportReport> report =
        AccessImportQuestion::run(m_mainWindow.get(), m_state, program, accessFile);
    if (!report)
        return OperationError::none();
    if (OperationError error = m_folder.reopenDatabase(); error.isError())
        return error;
    m_mainWindow->openFieldWindow();
    AccessImportQuestion::showReport(m_mainWindow.get(), m_state, *report);
    return OperationError::none();
}

QString ProgramRun::loadReport() const
{
    QStringList lines;
    lines << QStringLiteral("Program folder: %1").arg(m_state.programmpfad);
    lines << QStringLiteral("Language: %1").arg(m_state.sprache);
    lines << QStringLiteral("GPS source folder: %1").arg(m_state.gpspfad);
    if (m_state.database) {
        const QStringList farms = m_state.database->farmNames();
        lines << QStringLiteral("Farms in the project database: %1 (%2)")
                     .arg(farms.size())
                     .arg(farms.join(QStringLiteral(", ")));
        lines << QStringLiteral("Field plots in the project database: %1")
                     .arg(m_state.database->plotCount());
    } else {
        lines << QStringLiteral("Project database: not usable");
    }
    const QStringList farmFolders = FarmFolders::list(m_state.programmpfad);
    qsizetype plotFiles = 0;
    QStringList refused; // "farm/file: reason" of each file the map reader refuses
    for (const QString& farm : farmFolders) {
        const QStringList plots = FarmFolders::plotBaseNames(m_state.programmpfad + '/' + farm);
        plotFiles += plots.size();
        for (const QString& plot : plots) {
            const PlotMeasurement::Result checked =
                PlotMeasurement::measure(m_state.programmpfad, {farm, plot});
            if (checked.outcome == PlotMeasurement::Outcome::Refused)
                refused << QStringLiteral("%1/%2: %3").arg(farm, plot, checked.error.detail);
        }
    }
    lines << QStringLiteral("Farm folders: %1").arg(farmFolders.size());
    lines << QStringLiteral("Plot shapefiles in the farm folders: %1").arg(plotFiles);
    lines << QStringLiteral("Plot shapefiles the map cannot draw: %1").arg(refused.size());
    for (const QString& file : refused)
        lines << QStringLiteral("  ") + file;
    if (m_mainWindow)
        lines << QStringLiteral("Main window: \"%1\"").arg(m_mainWindow->windowTitle().trimmed());
    return lines.join('\n');
}
