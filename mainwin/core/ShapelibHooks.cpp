#include "ShapelibHooks.h"

#include "FileResolver.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstring>

namespace {
thread_local ShapelibSession* t_current = nullptr;
}

ShapelibSession::ShapelibSession() : m_previous(t_current)
{
    SASetupDefaultHooks(&m_hooks);
    m_hooks.FOpen = &ShapelibSession::openHook;
    m_hooks.Error = &ShapelibSession::errorHook;
    t_current = this;
}

ShapelibSession::~ShapelibSession() { t_current = m_previous; }

void ShapelibSession::addKnownFile(const QString& path) { m_known.insert(path.toCaseFolded(), path); }

SAFile ShapelibSession::openHook(const char* fileName, const char* access)
{
    QString path = QFile::decodeName(fileName);
    const bool reading = std::strchr(access, 'r') != nullptr && std::strchr(access, '+') == nullptr;
    if (t_current) {
        const auto known = t_current->m_known.constFind(path.toCaseFolded());
        if (known != t_current->m_known.constEnd()) {
            path = *known;
        } else if (reading) {
            const QFileInfo info(path);
            path = FileResolver::resolve(info.path(), info.fileName());
        }
    }
    return reinterpret_cast<SAFile>(std::fopen(QFile::encodeName(path).constData(), access));
}

void ShapelibSession::errorHook(const char* message)
{
    if (t_current)
        t_current->m_errors.append(QString::fromLocal8Bit(message).trimmed());
}
