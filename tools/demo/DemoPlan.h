#pragma once

#include "ProjectDatabase.h"

#include <QDateTime>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

// Everything the demo folder will hold, decided before a file is written.

struct DemoPlot {
    PlotRecord record;   // dateiname and ordner name the files
    QList<QPointF> ring; // closed, clockwise, metres
};

struct DemoFarm {
    QString name; // folder name and betriebe.Name
    QList<DemoPlot> plots;
};

// One GPS measurement of the "shapes" folder, as the handheld leaves it.
struct DemoMeasurement {
    QString baseName;
    bool delivered = false;        // delivery names (_F) instead of working names
    bool hasAttributeTable = true; // false: the .DBF is missing
    QDateTime measuredAt;          // local time; also the files' last-modified time
    QString title;                 // first line of the description file
    QList<QPointF> ring;           // closed, clockwise, metres
    double areaHa = 0;             // as written to the description file
    double perimeterMetres = 0;
    double maxDop = 0;

    // Base of the shapefile names: base + "_F" or base + "F".
    QString shapeBaseName() const;
    QString descriptionFileName() const; // base + "_F.DES" or base + ".DES"
    // Every file the measurement consists of, as composed.
    QStringList fileNames() const;
};

struct DemoPlan {
    QList<DemoFarm> farms;
    QList<DemoMeasurement> measurements;
    QDateTime plotFileTime; // last-modified time of every plot file

    int plotCount() const;
};
