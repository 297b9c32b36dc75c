#include "ProgramRun.h"

#include "FarmFolders.h"
#include "MainWindow.h"
#include "Messages.h"
#include "ProgramFolderSetup.h"
#include "Prompter.h"
#include "StartWindow.h"
#include "Texts.h"

#include <QDir>
#include <QFileInfo>

namespace {
// Shown when the catalogue itself is unusable, so it cannot come from there.
QString catalogueFailureText(const OperationError& error)
{
    return QStringLiteral("Der Textkatalog %1 kann nicht gelesen werden.\n"
                          "The text catalogue %1 cannot be read.\n\n%2")
        .arg(QDir::toNativeSeparators(error.where), error.detail);
}
} // namespace

ProgramRun::ProgramRun(const Options& options) : m_options(options)
{
    m_settings = options.settingsFile.isEmpty()
                     ? std::make_unique<SettingsStore>()
                     : std::make_unique<SettingsStore>(options.settingsFile);
    QString folder = QDir(options.programFolder).absolutePath();
    while (folder.size() > 1 && folder.endsWith('/'))
        folder.chop(1);
    m_state.programmpfad = folder;
    m_state.settings = m_settings.get();
}

ProgramRun::~ProgramRun()
{
    m_mainWindow.reset();
}

bool ProgramRun::start()
{
    const ProgramFolderSetup::Result setup =
        ProgramFolderSetup::installMissingFiles(m_state.programmpfad);
    m_installed = setup.installed;
    if (setup.error.isError() &&
        !QFileInfo::exists(m_state.programFile(TextCatalogue::fileName()))) {
        Prompter::instance().message(nullptr, QMessageBox::Critical, ProgramState::programTitle(),
                                     catalogueFailureText(setup.error));
        return false;
    }
    const OperationError catalogueError = m_catalogue.open(m_state.programmpfad);
    if (catalogueError.isError()) {
        Prompter::instance().message(nullptr, QMessageBox::Critical, ProgramState::programTitle(),
                                     catalogueFailureText(catalogueError));
        return false;
    }
    m_state.catalogue = &m_catalogue;
    sprachvariablen(m_state); // titles for messages shown before the language is known

    const OperationError dbError = m_database.open(m_state.programmpfad);
    if (!dbError.isError())
        m_state.database = &m_database;

    std::unique_ptr<StartWindow> startWindow;
    if (m_options.startWindow) {
        startWindow = std::make_unique<StartWindow>();
        startWindow->showAndPaint();
    }
    m_mainWindow = std::make_unique<MainWindow>(m_state);
    m_mainWindow->load();
    startWindow.reset();
    m_mainWindow->show();

    if (setup.error.isError())
        Messages::failure(m_mainWindow.get(), m_state, TextKeys::installFailed, setup.error,
                          {setup.error.where});
    if (!m_installed.isEmpty())
        Messages::information(m_mainWindow.get(), m_state, TextKeys::installedFiles,
                              {m_installed.join(QStringLiteral(", "))});

    if (dbError.kind == ErrorKind::Refused)
        Messages::operatingError(m_mainWindow.get(), m_state, TextKeys::fileLeftAlone,
                                 {QDir::toNativeSeparators(dbError.where)});
    else if (dbError.isError())
        Messages::operatingError(m_mainWindow.get(), m_state, TextKeys::databaseUnusable,
                                 {QDir::toNativeSeparators(dbError.where), dbError.detail});
    return true;
}

QString ProgramRun::loadReport() const
{
    QStringList lines;
    lines << QStringLiteral("Program folder: %1").arg(m_state.programmpfad);
    lines << QStringLiteral("Language: %1").arg(m_state.sprache);
    lines << QStringLiteral("GPS source folder: %1").arg(m_state.gpspfad);
    if (m_state.database) {
        const QStringList farms = m_database.farmNames();
        lines << QStringLiteral("Farms in the project database: %1 (%2)")
                     .arg(farms.size())
                     .arg(farms.join(QStringLiteral(", ")));
        lines << QStringLiteral("Field plots in the project database: %1")
                     .arg(m_database.plotCount());
    } else {
        lines << QStringLiteral("Project database: not usable");
    }
    lines << QStringLiteral("Farm folders: %1").arg(FarmFolders::list(m_state.programmpfad).size());
    if (m_mainWindow)
        lines << QStringLiteral("Main window: \"%1\"").arg(m_mainWindow->windowTitle().trimmed());
    return lines.join('\n');
}
