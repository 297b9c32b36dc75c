#include "ShapelibNameHooks.h"

#include <QByteArray>

#include <cstdio>

namespace ShapelibNameHooks {

namespace {
QByteArray withUpperCaseExtension(const char* fileName)
{
    QByteArray name(fileName);
    const qsizetype dot = name.lastIndexOf('.');
    const qsizetype slash = name.lastIndexOf('/');
    if (dot > slash && dot >= 0)
        name = name.left(dot) + name.mid(dot).toUpper();
    return name;
}

SAFile openFile(const char* fileName, const char* access)
{
    return reinterpret_cast<SAFile>(
        std::fopen(withUpperCaseExtension(fileName).constData(), access));
}

int removeFile(const char* fileName)
{
    return std::remove(withUpperCaseExtension(fileName).constData());
}
} // namespace

SAHooks upperCaseExtensions()
{
    SAHooks hooks;
    SASetupDefaultHooks(&hooks);
    hooks.FOpen = openFile;
    hooks.Remove = removeFile;
    return hooks;
}

} // namespace ShapelibNameHooks
