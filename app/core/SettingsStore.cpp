#include "SettingsStore.h"

#include "FileGuard.h"

#include <QSettings>
#include <QTemporaryDir>

SettingsStore::SettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             applicationName(), applicationName()))
{
    keepOffLinks();
}

SettingsStore::SettingsStore(const QString& iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
    keepOffLinks();
}

void SettingsStore::keepOffLinks()
{
    // QSettings writes through a link into whatever it points to. A store
    // that is a link or special file is read, and changes are kept for this
    // run only, in a scratch file.
    const FileGuard::Entry entry = FileGuard::entryAt(m_settings->fileName());
    if (entry != FileGuard::Entry::Link && entry != FileGuard::Entry::Special)
        return;
    m_scratch = std::make_unique<QTemporaryDir>();
    auto detached = std::make_unique<QSettings>(m_scratch->filePath(QStringLiteral("settings.ini")),
                                                QSettings::IniFormat);
    if (entry == FileGuard::Entry::Link) {
        for (const QString& key : m_settings->allKeys())
            detached->setValue(key, m_settings->value(key));
    }
    m_settings = std::move(detached);
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::normalisedKey(const QString& key)
{
    return QStringLiteral("Settings/") + key.trimmed().toLower();
}

QString SettingsStore::getSetting(const QString& key, const QString& defaultValue) const
{
    return m_settings->value(normalisedKey(key), defaultValue).toString();
}

int SettingsStore::getInt(const QString& key, int defaultValue) const
{
    bool ok = false;
    const int value = getSetting(key, QString()).trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

void SettingsStore::saveSetting(const QString& key, const QString& value)
{
    m_settings->setValue(normalisedKey(key), value);
}

void SettingsStore::saveInt(const QString& key, int value)
{
    saveSetting(key, QString::number(value));
}

void SettingsStore::sync()
{
    m_settings->sync();
}
