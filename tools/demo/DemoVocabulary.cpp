#include "DemoVocabulary.h"

namespace DemoVocabulary {

QStringList farmNames()
{
    return {QStringLiteral("Hof Lindenau"),   QStringLiteral("Gut Birkenhain"),
            QStringLiteral("Betrieb Moser"),  QStringLiteral("Hof Sonnenberg"),
            QStringLiteral("Gut Eichenried"), QStringLiteral("Betrieb Kramer"),
            QStringLiteral("Hof Am Weiher"),  QStringLiteral("Gut Talmuehle")};
}

QStringList fieldNames()
{
    return {
        QStringLiteral("Am Bach"),        QStringLiteral("Langes Feld"),
        QStringLiteral("Kirchacker"),     QStringLiteral("Mühlenwiese"),
        QStringLiteral("Hohlweg"),        QStringLiteral("Sandgrube"),
        QStringLiteral("Eichenkamp"),     QStringLiteral("Breite"),
        QStringLiteral("Oberfeld"),       QStringLiteral("Unterfeld"),
        QStringLiteral("Brunnenstück"),   QStringLiteral("Heideacker"),
        QStringLiteral("Lindenacker"),    QStringLiteral("Steinriegel"),
        QStringLiteral("Große Koppel"),   QStringLiteral("Kleine Koppel"),
        QStringLiteral("Weiherwiese"),    QStringLiteral("Galgenberg"),
        QStringLiteral("Kreuzacker"),     QStringLiteral("Rote Erde"),
        QStringLiteral("Hinterm Hof"),    QStringLiteral("Schafweide"),
        QStringLiteral("Fuchsloch"),      QStringLiteral("Hasenheide"),
        QStringLiteral("Krummer Acker"),  QStringLiteral("Bruchwiese"),
        QStringLiteral("Lehmkuhle"),      QStringLiteral("Birkenweg"),
        QStringLiteral("Am Wald"),        QStringLiteral("Dorfwiese"),
        QStringLiteral("Am Graben"),      QStringLiteral("Auf der Höhe"),
        QStringLiteral("Baumgarten"),     QStringLiteral("Bergacker"),
        QStringLiteral("Bruchfeld"),      QStringLiteral("Buchenhang"),
        QStringLiteral("Distelfeld"),     QStringLiteral("Eschenwiese"),
        QStringLiteral("Feldscheune"),    QStringLiteral("Flachsland"),
        QStringLiteral("Gänseweide"),     QStringLiteral("Grenzacker"),
        QStringLiteral("Hofwiese"),       QStringLiteral("Holzwiese"),
        QStringLiteral("Hopfengarten"),   QStringLiteral("Im Grund"),
        QStringLiteral("Kalkofen"),       QStringLiteral("Kapellenfeld"),
        QStringLiteral("Kiesgrube"),      QStringLiteral("Lange Wiese"),
        QStringLiteral("Moorwiese"),      QStringLiteral("Mühlacker"),
        QStringLiteral("Neuland"),        QStringLiteral("Obstwiese"),
        QStringLiteral("Pfarracker"),     QStringLiteral("Rainfeld"),
        QStringLiteral("Riedwiese"),      QStringLiteral("Schlehenhecke"),
        QStringLiteral("Schmale Breite"), QStringLiteral("Sonnenhang"),
    };
}

QStringList crops()
{
    return {QStringLiteral("Winterweizen"), QStringLiteral("Wintergerste"),
            QStringLiteral("Raps"),         QStringLiteral("Mais"),
            QStringLiteral("Zuckerrüben"),  QStringLiteral("Kartoffeln"),
            QStringLiteral("Grünland"),     QStringLiteral("Hafer"),
            QStringLiteral("Dinkel"),       QStringLiteral("Sommergerste")};
}

QStringList remarks()
{
    return {QStringLiteral(""),
            QStringLiteral(""),
            QStringLiteral(""),
            QStringLiteral("Drainage erneuert"),
            QStringLiteral("Hanglage"),
            QStringLiteral("Wildschaden Ecke Nord"),
            QStringLiteral("Zufahrt über Feldweg"),
            QStringLiteral("Bodenprobe 2025"),
            QStringLiteral("Pachtfläche"),
            QStringLiteral("Wasserschutzgebiet"),
            QStringLiteral("steinig"),
            QStringLiteral("nasse Senke im Süden")};
}

QStringList measurementPlaces()
{
    return {QStringLiteral("Feldrand Nord"),    QStringLiteral("Acker am Waldweg"),
            QStringLiteral("Wiese hinter Hof"), QStringLiteral("Neuvermessung Koppel"),
            QStringLiteral("Grenze Ost"),       QStringLiteral("Pachtfeld Sued"),
            QStringLiteral("Flurstueck 112"),   QStringLiteral("Teilflaeche West")};
}

QList<qint64> fillColours()
{
    static const int rgb[][3] = {
        {141, 211, 199}, {255, 255, 179}, {190, 186, 218}, {251, 128, 114}, {128, 177, 211},
        {253, 180, 98},  {179, 222, 105}, {252, 205, 229}, {217, 217, 217}, {188, 128, 189},
        {204, 235, 197}, {255, 237, 111}, {166, 206, 227}, {178, 223, 138}, {251, 154, 153},
        {253, 191, 111}, {202, 178, 214}, {230, 159, 0},   {86, 180, 233},  {240, 228, 66},
    };
    QList<qint64> colours;
    for (const auto& c : rgb)
        colours.append(c[0] + 256 * c[1] + 65536 * qint64(c[2]));
    return colours;
}

QString fileNameOf(const QString& fieldName)
{
    QString spelt = fieldName;
    spelt.replace(QStringLiteral("ä"), QStringLiteral("ae"))
        .replace(QStringLiteral("ö"), QStringLiteral("oe"))
        .replace(QStringLiteral("ü"), QStringLiteral("ue"))
        .replace(QStringLiteral("Ä"), QStringLiteral("Ae"))
        .replace(QStringLiteral("Ö"), QStringLiteral("Oe"))
        .replace(QStringLiteral("Ü"), QStringLiteral("Ue"))
        .replace(QStringLiteral("ß"), QStringLiteral("ss"));
    QString result;
    for (const QChar c : spelt) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            result.append(c);
    }
    return result;
}

} // namespace DemoVocabulary
