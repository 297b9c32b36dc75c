#pragma once

#include "MainWindowFixture.h"
#include "MapControl.h"
#include "Prompter.h"

#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTableView>
#include <QtTest>

// A program folder with its files installed, German texts and the project
// database open, messages recorded instead of shown; start() loads the main
// window over what the test put there.
struct WindowProgram : MainWindowFixture {
    WindowProgram()
    {
        Prompter::instance().setTestMode(true);
        Prompter::instance().clearShown();
    }
    void start() { load(); }
    QString area() const { return window->findChild<QLineEdit*>("txtflaeche")->text(); }
    QStringList staged(const QString& filter = "*") const
    {
        return QDir(folder.file("temp")).entryList({filter}, QDir::Files, QDir::Name);
    }
    // File names of the shapefiles the map draws, in drawing order.
    QStringList drawn() const
    {
        QStringList names;
        for (const MapView* view : map().document().views())
            for (const auto& table : view->tables())
                names << QFileInfo(table->filePath()).fileName();
        return names;
    }
    MapControl& map() const { return *window->findChild<MapControl*>(); }
    // The first value sql selects, with binds for its placeholders.
    QVariant value(const QString& sql, const QVariantList& binds = {}) const
    {
        QSqlQuery query(database.database());
        query.prepare(sql);
        for (const QVariant& bind : binds)
            query.addBindValue(bind);
        return query.exec() && query.next() ? query.value(0) : QVariant();
    }
};

// The texts of column c of a grid, top to bottom.
inline QStringList columnTexts(const QTableView* grid, int c)
{
    QStringList texts;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        texts << grid->model()->index(row, c).data().toString();
    return texts;
}

inline void clickCell(QTableView* grid, int row, int column = 0, Qt::KeyboardModifiers keys = {})
{
    const QRect cell = grid->visualRect(grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, keys, cell.center());
}

inline void clickHeader(QTableView* grid, int section)
{
    QHeaderView* header = grid->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(section) + 5, 5));
}

// An area as the area box shows it.
inline QString ha(double value)
{
    return QLocale().toString(value, 'f', 4);
}
