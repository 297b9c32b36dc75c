#include "PrintTexts.h"

#include "PlotListLayout.h"
#include "Texts.h"

namespace PrintTextKeys {

QList<TextKey> headings()
{
    QList<TextKey> keys;
    for (const PlotListLayout::Column& column : PlotListLayout::columns())
        keys.append({QStringLiteral("Drucken"), QString::fromLatin1(column.headingKey),
                     QStringLiteral("1")});
    return keys;
}

QList<TextKey> all()
{
    return headings() + QList<TextKey>{sum,           gpsSum,      undrawn,  subtotal,
                                       noCrop,        failed,      noExtent, scaleNotPositive,
                                       nothingToDraw, pageTooSmall};
}

} // namespace PrintTextKeys

PrintTexts PrintTexts::fromCatalogue(const ProgramState& state)
{
    PrintTexts texts;
    const auto take = [&](const TextKey& key, QString& text) {
        const QString found = textholen(state, key);
        if (!found.isEmpty())
            text = found;
    };
    const QList<TextKey> headingKeys = PrintTextKeys::headings();
    for (int i = 0; i < headingKeys.size(); ++i)
        take(headingKeys.at(i), texts.headings[i]);
    take(PrintTextKeys::sum, texts.sum);
    take(PrintTextKeys::gpsSum, texts.gpsSum);
    take(PrintTextKeys::undrawn, texts.undrawn);
    take(PrintTextKeys::subtotal, texts.subtotal);
    take(PrintTextKeys::noCrop, texts.noCrop);
    const QString caption = textholen(state, QStringLiteral("mdi0"), QStringLiteral("panmassstab"),
                                      QStringLiteral("caption"));
    if (!caption.isEmpty())
        texts.scaleCaption = QLatin1Char(' ') + caption;
    return texts;
}
