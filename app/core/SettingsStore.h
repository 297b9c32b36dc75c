#pragma once

#include <QString>
#include <memory>

class QSettings;
class QTemporaryDir;

// Per-user settings of the program: application "Sorvan-GIS-Viewer", section
// "Settings". Keys are matched ignoring case (the store lower-cases them on
// read and write); values are decimal text, window geometry in twips.
class SettingsStore {
public:
    // The user's own store.
    SettingsStore();
    // A store kept in the given INI file (tests, portable installs).
    explicit SettingsStore(const QString& iniFile);
    ~SettingsStore();

    QString getSetting(const QString& key, const QString& defaultValue) const;
    // Reads a whole number; a missing or non-numeric value gives defaultValue.
    int getInt(const QString& key, int defaultValue) const;
    void saveSetting(const QString& key, const QString& value);
    void saveInt(const QString& key, int value);
    void sync();

    static QString applicationName() { return QStringLiteral("Sorvan-GIS-Viewer"); }

private:
    static QString normalisedKey(const QString& key);
    void keepOffLinks();
    std::unique_ptr<QTemporaryDir> m_scratch;
    std::unique_ptr<QSettings> m_settings;
};
