#pragma once

#include "OperationError.h"

#include <QList>
#include <QString>
#include <QStringList>

// The catalogue as kept in the source tree: a UTF-8 text file, one row per key,
// tab-separated: form, control, property, then German, English, French,
// Italian, Hungarian. Lines starting with '#' and blank lines are comments; the
// first other line names the columns. An empty cell is a missing text; "\n" in
// a cell is a line break and "\t" a tab.
struct CatalogueRow {
    QString form;
    QString control;
    QString property;
    QStringList texts; // one per language, "" = missing
    int line = 0;      // line in the source file
};

struct CatalogueSource {
    QStringList languageColumns;
    QList<CatalogueRow> rows;

    // Parses the text; problems (wrong cell count, duplicate key) are listed
    // in errors with their line numbers.
    static CatalogueSource parse(const QString& text, QStringList* errors);
    static CatalogueSource parseFile(const QString& path, QStringList* errors);

    // Writes a new catalogue database (table Texte) at path, replacing a file
    // that is there.
    OperationError writeDatabase(const QString& path) const;
};
