#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// Input of a fuzz target as files in a scratch folder that lives as long as
// the target runs: the readers under test open files by name.
class FuzzFolder {
public:
    FuzzFolder();
    // Writes bytes to name in the folder and returns its path.
    QString write(const QString& name, const QByteArray& bytes);

private:
    QTemporaryDir m_folder;
};

// Splits one input into parts: each part but the last is preceded by its
// length (32 bits, little-endian, cut to what is left), the last takes the
// rest. Every byte string is a valid input; mutations move the borders as
// well as the content.
QList<QByteArray> splitInput(const uint8_t* data, size_t size, int parts);
