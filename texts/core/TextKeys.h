#pragma once

#include <QList>
#include <QString>

// A catalogue key: form, control, property.
struct TextKey {
    QString form;
    QString control;
    QString property;
};

// Keys of the message boxes and single texts the program looks up with
// textholen. Every key listed here must have a text in every language; a
// test checks the catalogue against this list.
namespace TextKeys {

// Message titles, prefixed with the program title.
inline const TextKey titleEntryError{"haupt", "Eingabefehler", "1"};
inline const TextKey titleOperatingError{"haupt", "Bedienungsfehler", "1"};
inline const TextKey titleSafetyQuestion{"haupt", "Sicherheitsabfrage", "1"};
inline const TextKey titleInformation{"haupt", "Information", "1"};

// Start-up and program folder.
inline const TextKey databaseUnusable{"haupt", "Datenbank", "1"};         // %1 file, %2 detail
inline const TextKey installedFiles{"haupt", "Installation", "1"};        // %1 list of files
inline const TextKey installFailed{"haupt", "Installation", "2"};         // %1 file, %2 detail
inline const TextKey languageFileUnwritable{"haupt", "Sprachdatei", "1"}; // %1 file
inline const TextKey fileLeftAlone{"haupt", "Dateischutz", "1"};          // %1 file
inline const TextKey shapefilesLeftOut{"haupt", "Kartendaten", "1"};      // %1 list of files
inline const TextKey helpPageMissing{"haupt", "Hilfe", "1"};              // %1 file
inline const TextKey catalogueUnusable{"haupt", "Texte", "1"};            // %1 file

inline QList<TextKey> all()
{
    return {titleEntryError,  titleOperatingError, titleSafetyQuestion, titleInformation,
            databaseUnusable, installedFiles,      installFailed,       languageFileUnwritable,
            fileLeftAlone,    shapefilesLeftOut,   helpPageMissing,     catalogueUnusable};
}

} // namespace TextKeys
