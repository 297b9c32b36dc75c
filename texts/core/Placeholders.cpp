#include "Placeholders.h"

QString fillPlaceholders(const QString& text, const QStringList& values)
{
    QString out;
    out.reserve(text.size() + 64);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == '%' && i + 1 < text.size() && text.at(i + 1).isDigit()) {
            const int n = text.at(i + 1).digitValue();
            if (n >= 1 && n <= values.size()) {
                out += values.at(n - 1);
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}
