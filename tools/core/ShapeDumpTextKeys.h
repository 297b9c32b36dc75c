#pragma once

#include "ShapeDump.h"
#include "TextKeys.h"

#include <optional>

// Catalogue keys of the shapefile dump window Form1. Every key
// listed in all() must have a text in every language (texts/catalogue.tsv);
// %1 is the file concerned, %2 ... the values of ShapeDump::Result::arguments.
namespace ShapeDumpTextKeys {

inline const TextKey fileMissing{"Form1", "Fehler", "1"};        // %1 file
inline const TextKey fileUnreadable{"Form1", "Fehler", "2"};     // %1 file
inline const TextKey fileTooShort{"Form1", "Fehler", "3"};       // %1 file, %2 needed, %3 present
inline const TextKey notPolygon{"Form1", "Fehler", "4"};         // %1 file, %2 shape type
inline const TextKey notSinglePart{"Form1", "Fehler", "5"};      // %1 file, %2 part count
inline const TextKey pointCountTooLarge{"Form1", "Fehler", "6"}; // %1 file, %2 given, %3 held
inline const TextKey indexFileMissing{"Form1", "Fehler", "7"};   // %1 index file
inline const TextKey printFailed{"Form1", "Fehler", "8"};        // %1 printer or PDF file
inline const TextKey notShapefile{"Form1", "Fehler", "9"};       // %1 file, %2 file code
inline const TextKey mapReaderRefuses{"Form1", "Fehler", "10"};  // %1 file, %2 the reason

// The window's own caption and its button; without a catalogue text they stay
// "Form1" and "Command1".
inline const TextKey windowCaption{"Form1", "Form1", "caption"};
inline const TextKey printButton{"Form1", "Command1", "caption"};

inline QList<TextKey> all()
{
    return {fileMissing,        fileUnreadable,   fileTooShort, notPolygon,  notSinglePart,
            pointCountTooLarge, indexFileMissing, printFailed,  notShapefile, mapReaderRefuses};
}

// The key of a problem's line; nothing for Problem::None.
inline std::optional<TextKey> forProblem(ShapeDump::Problem problem)
{
    using ShapeDump::Problem;
    switch (problem) {
    case Problem::None:
        return std::nullopt;
    case Problem::FileMissing:
        return fileMissing;
    case Problem::FileUnreadable:
        return fileUnreadable;
    case Problem::FileTooShort:
        return fileTooShort;
    case Problem::NotPolygon:
        return notPolygon;
    case Problem::NotSinglePart:
        return notSinglePart;
    case Problem::PointCountTooLarge:
        return pointCountTooLarge;
    case Problem::IndexFileMissing:
        return indexFileMissing;
    case Problem::NotShapefile:
        return notShapefile;
    case Problem::MapReaderRefuses:
        return mapReaderRefuses;
    }
    return std::nullopt;
}

} // namespace ShapeDumpTextKeys
