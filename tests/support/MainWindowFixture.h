#pragma once

#include "MainWindow.h"
#include "ProgramFolderSetup.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"
#include "SettingsStore.h"
#include "TestFolder.h"
#include "TextCatalogue.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <memory>

// A program folder with its installation files, the language file given and a
// catalogue of languageColumns language columns (it comes with five); load()
// shows a main window over it.
struct MainWindowFixture {
    TestFolder folder;
    SettingsStore settings{folder.file("settings.ini")};
    TextCatalogue catalogue;
    ProjectDatabase database;
    ProgramState state;
    std::unique_ptr<MainWindow> window;

    explicit MainWindowFixture(const QByteArray& languageFile = "1\r\n", int languageColumns = 5)
    {
        ProgramFolderSetup::installMissingFiles(folder.path());
        folder.writeFile("SPRACHE.DAT", languageFile);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "columns");
            db.setDatabaseName(folder.file("texte.mdb"));
            db.open();
            for (int i = 6; i <= languageColumns; ++i)
                QSqlQuery(db).exec(QString("alter table Texte add column s%1").arg(i));
        }
        QSqlDatabase::removeDatabase("columns");
        state.programmpfad = folder.path();
        state.settings = &settings;
        catalogue.open(folder.path());
        state.catalogue = &catalogue;
        database.open(folder.path());
        state.database = &database;
    }
    MainWindow* load()
    {
        window = std::make_unique<MainWindow>(state);
        window->load();
        window->show();
        QTest::qWait(10);
        return window.get();
    }
    template <typename T = QAction> T* child(const QString& name) const
    {
        return window->findChild<T*>(name);
    }
};
