#pragma once

#include "MapExtent.h"
#include "MapTable.h"

#include <QList>
#include <QString>

#include <memory>

// A layer of the map: draws one table, or every table of a source, in one
// colour. A view without a colour is drawn in the renderer's default look.
class MapView {
public:
    MapView(const QString& name, const QString& sourceName,
            QList<std::shared_ptr<const MapTable>> tables);

    QString name() const { return m_name; }
    // Name of the data source whose tables the view draws.
    QString sourceName() const { return m_sourceName; }
    // Initially the view's name.
    QString text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }

    // Colour as red + 256 * green + 65536 * blue; 0 (black) until set.
    int colour() const { return m_colour; }
    void setColour(int bgr);
    bool hasColour() const { return m_hasColour; }

    const QList<std::shared_ptr<const MapTable>>& tables() const { return m_tables; }
    MapExtent bounds() const;

private:
    QString m_name;
    QString m_sourceName;
    QString m_text;
    int m_colour = 0;
    bool m_hasColour = false;
    QList<std::shared_ptr<const MapTable>> m_tables;
};
