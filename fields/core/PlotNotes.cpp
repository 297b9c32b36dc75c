#include "PlotNotes.h"

#include "Placeholders.h"
#include "ProgramState.h"
#include "TextKeys.h"
#include "Texts.h"

namespace PlotNotes {

namespace {
struct NoteText {
    const TextKey& key;
    const char* english;
};

NoteText textOf(PlotNote::Kind kind)
{
    switch (kind) {
    case PlotNote::Kind::InDegrees:
        return {TextKeys::noteInDegrees,
                "%1: coordinates in degrees, no area can be taken from them"};
    case PlotNote::Kind::Refused:
        return {TextKeys::noteRefused, "%1: the map cannot read this file (%2)"};
    case PlotNote::Kind::CaseTwin:
        return {TextKeys::noteCaseTwin,
                "%1: differs from %2 only in upper and lower case and is left out"};
    case PlotNote::Kind::UnusableName:
        break;
    }
    return {TextKeys::noteUnusableName,
            "%1: the name is not valid in the file system or too long and is left out"};
}

QString nameOf(const PlotKey& key)
{
    return key.dateiname.isEmpty() ? key.ordner : key.ordner + QLatin1Char('/') + key.dateiname;
}
} // namespace

QStringList lines(const ProgramState& state, const QList<PlotNote>& notes)
{
    QStringList result;
    for (const PlotNote& note : notes) {
        const NoteText text = textOf(note.kind);
        QString pattern = state.catalogue ? textholen(state, text.key) : QString();
        if (pattern.isEmpty())
            pattern = QString::fromUtf8(text.english);
        QString twin = note.detail;
        if (note.kind == PlotNote::Kind::CaseTwin && !note.key.dateiname.isEmpty())
            twin = nameOf({note.key.ordner, note.detail});
        const QString line = fillPlaceholders(pattern, {nameOf(note.key), twin});
        if (!result.contains(line))
            result.append(line);
    }
    return result;
}

} // namespace PlotNotes
