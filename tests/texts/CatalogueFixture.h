#pragma once

#include "CatalogueSource.h"
#include "TestFolder.h"
#include "TextCatalogue.h"

#include <QtTest>

// Writes texte.mdb into the test folder from catalogue source text whose
// columns are separated by '|' for readability (turned into tabs here).
inline void writeCatalogue(const TestFolder& folder, const QString& pipeSeparated)
{
    QString text = pipeSeparated;
    text.replace('|', '\t');
    QStringList errors;
    const CatalogueSource source = CatalogueSource::parse(text, &errors);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
    QVERIFY(!source.writeDatabase(folder.file("texte.mdb")).isError());
}
