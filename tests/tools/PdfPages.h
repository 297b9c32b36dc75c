#pragma once

#include <QByteArray>
#include <QRegularExpression>
#include <QString>

// The number of page objects of a PDF file: "/Type /Page" not followed by
// "s" (Qt's PDF writer keeps page objects uncompressed).
inline int pdfPageCount(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![A-Za-z])"));
    int count = 0;
    for (auto it = page.globalMatch(QString::fromLatin1(pdf)); it.hasNext(); it.next())
        ++count;
    return count;
}
