#include "PlotLabelTexts.h"

namespace PlotLabelTexts {

QHash<QString, PlotLabelText> of(const FieldLayers::Staged& staged, const QList<PlotRecord>& plots)
{
    QHash<QString, PlotLabelText> texts;
    for (qsizetype k = 0; k < staged.files.size() && k < staged.places.size(); ++k) {
        const int place = staged.places.at(k);
        if (place < 0 || place >= plots.size())
            continue;
        const PlotRecord& plot = plots.at(place);
        const QString name = plot.name.trimmed();
        texts.insert(staged.files.at(k).shpPath,
                     {name.isEmpty() ? plot.dateiname.trimmed() : name, plot.flaeche});
    }
    return texts;
}

} // namespace PlotLabelTexts
