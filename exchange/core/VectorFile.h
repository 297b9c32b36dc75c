#pragma once

#include "OperationError.h"

#include <QString>
#include <QStringList>

#include <memory>

class GDALDataset;

// Opening vector files of any format GDAL reads, also inside a .zip or .kmz.
namespace VectorFile {

struct Closer {
    void operator()(GDALDataset* dataset) const;
};
using Dataset = std::unique_ptr<GDALDataset, Closer>;

// Registers GDAL's drivers once.
void registerDrivers();

// Opens file (a regular file) for reading; on failure a null dataset and
// the reason in error.
Dataset open(const QString& file, OperationError* error);

// GDAL's last error message, or fallback when it has none.
QString lastError(const QString& fallback);

// Keeps GDAL's messages off standard error while it lives.
class QuietErrors {
public:
    QuietErrors();
    ~QuietErrors();
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;
};

} // namespace VectorFile
