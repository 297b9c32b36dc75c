#include "SettingsStore.h"

#include <QSettings>

SettingsStore::SettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             applicationName(), applicationName()))
{
}

SettingsStore::SettingsStore(const QString& iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
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
