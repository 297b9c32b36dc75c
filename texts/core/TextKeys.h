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
inline const TextKey notADatabase{"haupt", "Datenbank", "2"};             // %1 file
inline const TextKey accessDatabase{"haupt", "Datenbank", "3"};           // %1 file
inline const TextKey tableMissing{"haupt", "Datenbank", "4"};             // %1 file, %2 table
inline const TextKey columnMissing{"haupt", "Datenbank", "5"};            // %1 file, %2 column
inline const TextKey unknownCollation{"haupt", "Datenbank", "6"};         // %1 file, %2 name
inline const TextKey folderNotFile{"haupt", "Datei", "1"};                // %1 folder
inline const TextKey fileNotFolder{"haupt", "Programmordner", "1"};       // %1 file
inline const TextKey installedFiles{"haupt", "Installation", "1"};        // %1 files, %2 folder
inline const TextKey installFailed{"haupt", "Installation", "2"};         // %1 file, %2 detail
inline const TextKey languageFileUnwritable{"haupt", "Sprachdatei", "1"}; // %1 file
inline const TextKey fileLeftAlone{"haupt", "Dateischutz", "1"};          // %1 file
inline const TextKey shapefilesLeftOut{"haupt", "Kartendaten", "1"};      // %1 list of files
inline const TextKey readingPlots{"haupt", "Kartendaten", "2"};           // progress label
inline const TextKey helpPageMissing{"haupt", "Hilfe", "1"};              // %1 file
inline const TextKey catalogueUnusable{"haupt", "Texte", "1"};            // %1 file
inline const TextKey shellOpenFailed{"haupt", "Aufruf", "1"};             // %1 file or address
inline const TextKey mapPictureFailed{"haupt", "Kartenbild", "1"};         // %1 file, %2 detail
inline const TextKey mapPictureEmpty{"haupt", "Kartenbild", "2"};

// Bringing an Access project database of the earlier Windows version over.
inline const TextKey accessImportQuestion{"haupt", "Accessimport", "1"}; // %1 file, %2 kept as
inline const TextKey accessImportDone{"haupt", "Accessimport", "2"};     // %1 %2 %3 counts, %4 file
inline const TextKey accessImportLeftOut{"haupt", "Accessimport", "3"};  // %1 columns
inline const TextKey accessImportFailed{"haupt", "Accessimport", "4"};   // %1 file
inline const TextKey accessImportFindings{"haupt", "Accessimport", "5"};
inline const TextKey plotWithoutFarmFolder{"haupt", "Accessimport", "6"}; // %1 farm, %2 plot
inline const TextKey plotWithoutShapefiles{"haupt", "Accessimport", "7"}; // %1 farm, %2 plot
inline const TextKey farmFolderWithoutRow{"haupt", "Accessimport", "8"};  // %1 folder
inline const TextKey duplicatePlot{"haupt", "Accessimport", "9"};         // %1 farm, %2 plot

// Farm and field window schlagdaten and new farm dialog Betriebeneu.
inline const TextKey farmDeleteQuestion{"schlagdaten", "betriebloeschen", "1"};     // %1 farm
inline const TextKey plotDeleteQuestion{"schlagdaten", "schlagdatenlöschen", "1"};  // %1 plot
inline const TextKey plotsDeleteQuestion{"schlagdaten", "schlagdatenlöschen", "2"}; // %1 count
inline const TextKey syncFailed{"schlagdaten", "Fehler", "1"};
inline const TextKey mapRebuildFailed{"schlagdaten", "Fehler", "2"};
inline const TextKey farmDeleteFailed{"schlagdaten", "Fehler", "3"}; // %1 farm
inline const TextKey plotDeleteFailed{"schlagdaten", "Fehler", "4"};
inline const TextKey cellStoreFailed{"schlagdaten", "Fehler", "5"};
inline const TextKey farmHasSubfolder{"schlagdaten", "Unterordner", "1"};  // %1 farm, %2 folder
inline const TextKey deletionLeftAlone{"schlagdaten", "Dateischutz", "1"}; // %1 entry
// Odd farm folders and plot files met by the synchronisation.
inline const TextKey plotNotes{"schlagdaten", "Hinweise", "1"};        // %1 lines
inline const TextKey noteInDegrees{"schlagdaten", "Hinweise", "2"};    // %1 plot
inline const TextKey noteRefused{"schlagdaten", "Hinweise", "3"};      // %1 plot, %2 reason
inline const TextKey noteCaseTwin{"schlagdaten", "Hinweise", "4"};     // %1 name, %2 listed name
inline const TextKey noteUnusableName{"schlagdaten", "Hinweise", "5"}; // %1 name
inline const TextKey geometryArea{"schlagdaten", "Hinweise", "6"};     // %1 area in ha
inline const TextKey farmFolderFailed{"betriebeneu", "Fehler", "1"};
inline const TextKey checkNumber{"schlagdaten", "kontrollenummer", "1"};
inline const TextKey checkPart{"schlagdaten", "kontrolleteil", "1"};
inline const TextKey checkName{"schlagdaten", "kontrollename", "1"};
inline const TextKey checkYear{"schlagdaten", "kontrolleerntejahr", "1"};
inline const TextKey checkCrop{"schlagdaten", "kontrollekultur", "1"};
inline const TextKey checkRemark{"schlagdaten", "kontrolleanmerkung", "1"};
inline const TextKey checkColour{"schlagdaten", "kontrollefarbe", "1"};
inline const TextKey checkMeasure{"schlagdaten", "kontrollemesswert", "1"};
inline const TextKey farmNameEmpty{"Betriebeneu", "Kontrollename", "1"};
inline const TextKey farmNameExists{"Betriebeneu", "Kontrollename", "2"};
inline const TextKey farmNameCharacters{"Betriebeneu", "Kontrollename", "3"};

// Window manners: the scale box, the new farm name rules.
inline const TextKey scaleInvalid{"haupt", "Massstab", "1"};
inline const TextKey nothingVisible{"haupt", "Massstab", "2"};
inline const TextKey farmNameReserved{"Betriebeneu", "Kontrollename", "4"}; // %1 name
inline const TextKey farmNameEdge{"Betriebeneu", "Kontrollename", "5"};
inline const TextKey farmNameTooLong{"Betriebeneu", "Kontrollename", "6"}; // %1 bytes allowed

inline QList<TextKey> all()
{
    return {titleEntryError,    titleOperatingError, titleSafetyQuestion, titleInformation,
            databaseUnusable,   installedFiles,      installFailed,       languageFileUnwritable,
            shapefilesLeftOut,  helpPageMissing,     catalogueUnusable,   notADatabase,
            accessDatabase,     tableMissing,        columnMissing,       unknownCollation,
            folderNotFile,      fileNotFolder,       fileLeftAlone,       farmDeleteQuestion,
            plotDeleteQuestion, plotsDeleteQuestion, syncFailed,          mapRebuildFailed,
            farmDeleteFailed,   plotDeleteFailed,    cellStoreFailed,     farmHasSubfolder,
            deletionLeftAlone,  farmFolderFailed,    checkNumber,         checkPart,
            checkName,          checkYear,           checkCrop,           checkRemark,
            checkColour,        farmNameEmpty,       farmNameExists,      farmNameCharacters,
            shellOpenFailed,    accessImportQuestion, accessImportDone,  accessImportLeftOut,
            accessImportFailed, accessImportFindings, plotWithoutFarmFolder, plotWithoutShapefiles,
            farmFolderWithoutRow, duplicatePlot, readingPlots, plotNotes, noteInDegrees,
            noteRefused, noteCaseTwin, noteUnusableName, geometryArea, scaleInvalid,
            nothingVisible, farmNameReserved, farmNameEdge, farmNameTooLong, mapPictureFailed,
            mapPictureEmpty};
}

} // namespace TextKeys
