#pragma once

#include "ProgramState.h"
#include "ProjectDatabase.h"
#include "ShapeFixture.h"
#include "TestFolder.h"

#include <QSqlQuery>
#include <QtTest>

// Into folder: an empty project database and the farms "Hof A" and "Hof B"
// with one 100 m square plot each ("acker", "wiese"), 300 m apart.
inline void writeTwoSquareFarms(const TestFolder& folder)
{
    QVERIFY(!ProjectDatabase::createEmpty(folder.file("GISDATEN.MDB")).isError());
    ShapeFixture::writeSquare(folder.makeFolder("Hof A"), "acker", 0, 0, 100);
    ShapeFixture::writeSquare(folder.makeFolder("Hof B"), "wiese", 300, 0, 100);
}

// A fresh program folder with an empty project database, opened.
struct ProgramFixture {
    TestFolder folder;
    ProjectDatabase database;
    ProgramState state;
    ProgramFixture()
    {
        ProjectDatabase::createEmpty(folder.file("GISDATEN.MDB"));
        database.open(folder.path());
        state.programmpfad = folder.path();
        state.database = &database;
    }
    bool addPlot(const QString& ordner, const QString& dateiname, int anzeigen = 1)
    {
        return !database.addPlot({dateiname, ordner, {}, 0, 0, 0, {}, {}, 0, 0, 0, 0, anzeigen})
                    .isError();
    }
    // Every schlagdaten row as "ordner/dateiname=anzeigen", sorted.
    QStringList rows() const
    {
        QStringList rows;
        QSqlQuery query(database.database());
        query.exec("select ordner || '/' || dateiname || '=' || anzeigen from schlagdaten");
        while (query.next())
            rows << query.value(0).toString();
        rows.sort();
        return rows;
    }
};
