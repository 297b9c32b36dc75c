#pragma once

#include "OperationError.h"
#include "SqliteConnection.h"

#include <QString>
#include <optional>

// The text catalogue "texte.mdb": table Texte with the key columns form,
// control, property (compared ignoring case) followed by one column per
// language, German first. Every lookup is a query of its own.
class TextCatalogue {
public:
    static QString fileName() { return QStringLiteral("texte.mdb"); }
    static constexpr int languageCount = 5;

    // Opens texte.mdb of the program folder (found ignoring case).
    OperationError open(const QString& programFolder);
    bool isOpen() const { return m_connection.isOpen(); }
    QString path() const { return m_connection.path(); }
    // Number of language columns of the open table (German first).
    int languageColumns() const { return m_columnCount; }

    // The language whose column a lookup reads: sprache when the table has that
    // column, otherwise German (1). Language 0 (no choice made) is German too.
    int effectiveLanguage(int sprache) const;

    // textholen: the text of the key in language sprache, the German text when
    // that cell is empty, "" when there is no row or both cells are empty.
    // Key parts are trimmed.
    QString textholen(const QString& form, const QString& control, const QString& property,
                      int sprache) const;

    // The cell of the chosen language without German fallback: nothing when the
    // key has no row or the cell is empty (window translation keeps the
    // design-time text then).
    std::optional<QString> lookupExact(const QString& form, const QString& control,
                                       const QString& property, int sprache) const;

    // Error of the last lookup; lookups that fail return "" / nothing.
    OperationError lastError() const { return m_lastError; }

private:
    struct Row {
        bool found = false;
        QString chosen;
        bool chosenNull = true;
        QString german;
        bool germanNull = true;
    };
    Row fetch(const QString& form, const QString& control, const QString& property,
              int sprache) const;

    SqliteConnection m_connection;
    int m_columnCount = 0; // language columns the table has
    mutable OperationError m_lastError;
};
