#pragma once

#include "DemoPlanner.h"
#include "OperationError.h"

#include <QString>
#include <QStringList>

// What a demo build did.
struct DemoBuildResult {
    QString folder;        // absolute path of the program folder
    QStringList installed; // installation files put there
    int farms = 0;
    int plots = 0;
    int measurements = 0;
    OperationError error; // the first failure, naming the file or folder
};

// Builds a complete demo program folder: installation files, farm folders
// with plot shapefiles and their database rows, and a "shapes" folder of GPS
// measurements as a handheld leaves them. The same seed gives the same files
// byte for byte and the same rows. Refuses a folder that holds user data
// (see DemoTargetCheck) before writing anything.
class DemoFolderBuilder {
public:
    explicit DemoFolderBuilder(quint64 seed = DemoPlanner::defaultSeed) : m_seed(seed) {}

    DemoBuildResult build(const QString& folder) const;

private:
    quint64 m_seed;
};
