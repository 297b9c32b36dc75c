#include "DescriptionFile.h"

#include "FileGuard.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>

namespace DescriptionFile {

namespace {
// Windows-1252 differs from Latin-1 in 0x80 to 0x9F only; the five unused
// bytes keep their Latin-1 control characters.
constexpr char16_t windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromWindows1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes.at(i));
        text[i] = QChar(byte >= 0x80 && byte < 0xA0 ? windows1252High[byte - 0x80] : byte);
    }
    return text;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}
} // namespace

QString decode(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(QStringDecoder::Utf16, QStringDecoder::Flag::ConvertInitialBom);
        QString text = utf16.decode(bytes);
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? fromWindows1252(bytes) : text;
}

QStringList items(const QString& text, int count)
{
    QStringList found;
    qsizetype i = 0;
    const qsizetype end = text.size();
    while (found.size() < count && i < end) {
        while (i < end && isBlank(text.at(i)))
            ++i;
        QString item;
        if (i < end && text.at(i) == u'"') {
            const qsizetype close = text.indexOf(u'"', i + 1);
            const qsizetype stop = close < 0 ? end : close;
            item = text.mid(i + 1, stop - i - 1);
            i = stop < end ? stop + 1 : end;
            // Whatever follows the closing quote up to the separator is dropped.
            while (i < end && text.at(i) != u',' && !isLineEnd(text.at(i)))
                ++i;
        } else {
            const qsizetype start = i;
            while (i < end && text.at(i) != u',' && !isLineEnd(text.at(i)))
                ++i;
            item = text.mid(start, i - start);
        }
        found.append(item);
        // One separator: a comma, or a line end (CR LF counts as one).
        if (i < end && text.at(i) == u',')
            ++i;
        else if (i < end && text.at(i) == u'\r')
            i += (i + 1 < end && text.at(i + 1) == u'\n') ? 2 : 1;
        else if (i < end)
            ++i;
    }
    return found;
}

std::optional<double> leadingNumber(QStringView text)
{
    QByteArray number;
    bool digits = false, point = false, exponent = false;
    qsizetype i = 0;
    while (i < text.size() && isBlank(text.at(i)))
        ++i;
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
        number.append(char(text.at(i++).unicode()));
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (isBlank(c))
            continue;
        if (c >= u'0' && c <= u'9') {
            number.append(char(c.unicode()));
            digits = true;
        } else if (c == u'.' && !point && !exponent) {
            number.append('.');
            point = true;
        } else if ((c == u'e' || c == u'E' || c == u'd' || c == u'D') && digits && !exponent) {
            // An exponent counts only when a digit follows (after a sign).
            qsizetype next = i + 1;
            QByteArray tail("e");
            if (next < text.size() && (text.at(next) == u'+' || text.at(next) == u'-'))
                tail.append(char(text.at(next++).unicode()));
            if (next >= text.size() || text.at(next) < u'0' || text.at(next) > u'9')
                break;
            number.append(tail);
            exponent = true;
            i = next - 1;
        } else {
            break;
        }
    }
    if (!digits)
        return 0.0;
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> itemValue(const QString& item)
{
    if (item.size() < labelLength)
        return std::nullopt;
    return leadingNumber(QStringView(item).mid(labelLength));
}

Read read(const QString& path)
{
    Read result;
    QFile file;
    // A link leading out of the description's own folder is not read.
    result.error = FileGuard::openForReadingIn(file, QFileInfo(path).path(), path);
    if (result.error.isError())
        return result;
    // A description file has a few short lines; more is not one.
    constexpr qint64 largest = 1 << 20;
    const QByteArray bytes = file.read(std::min(file.size(), largest));
    const QStringList found = items(decode(bytes), itemsUsed);
    if (found.size() < itemsUsed) {
        result.error = {ErrorKind::PastEndOfFile,
                        bytes.isEmpty() ? QStringLiteral("empty file")
                                        : QStringLiteral("fewer than four items"),
                        path};
        return result;
    }
    result.values.area = itemValue(found.at(1));
    result.values.perimeter = itemValue(found.at(2));
    result.values.maxDop = itemValue(found.at(3));
    return result;
}

} // namespace DescriptionFile
