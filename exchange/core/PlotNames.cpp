#include "PlotNames.h"

#include "FarmFolders.h"

namespace PlotNames {

QString fileBase(const QString& name)
{
    static const QString reserved = QStringLiteral("/\\:*?\"<>|");
    QString base;
    for (const QChar c : name)
        base += c.category() == QChar::Other_Control || reserved.contains(c) ? QChar('_') : c;
    base = base.simplified();
    while (!base.isEmpty() && (base.front() == '.' || base.front() == ' '))
        base.remove(0, 1);
    base = base.left(maxLength);
    while (!base.isEmpty() && (base.back() == '.' || base.back() == ' '))
        base.chop(1);
    return base.isEmpty() ? QStringLiteral("Schlag") : base;
}

QString farmName(const QString& value)
{
    QString spelt = value;
    const std::pair<const char*, const char*> umlauts[] = {
        {"ä", "ae"}, {"ö", "oe"}, {"ü", "ue"}, {"Ä", "Ae"}, {"Ö", "Oe"}, {"Ü", "Ue"},
        {"ß", "ss"}, {"æ", "ae"}, {"Æ", "Ae"}, {"ø", "oe"}, {"Ø", "Oe"}, {"œ", "oe"}};
    for (const auto& [from, to] : umlauts)
        spelt.replace(QString::fromUtf8(from), QLatin1String(to));
    QString ascii;
    for (const QChar c : spelt.normalized(QString::NormalizationForm_D)) {
        if (c.isMark())
            continue;
        const bool kept = c.unicode() < 128 && c.isLetterOrNumber();
        ascii += kept ? c : QChar(' ');
    }
    ascii = ascii.simplified().left(maxLength).trimmed();
    return FarmFolders::isReservedName(ascii) ? ascii + QStringLiteral(" 1") : ascii;
}

QString unique(const QString& base, QStringList* taken)
{
    QString name = base;
    for (int n = 2; taken->contains(name, Qt::CaseInsensitive); ++n) {
        const QString suffix = '_' + QString::number(n);
        name = base.left(maxLength - suffix.size()) + suffix;
    }
    taken->append(name);
    return name;
}

} // namespace PlotNames
