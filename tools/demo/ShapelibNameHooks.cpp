#include "ShapelibNameHooks.h"

#include <QByteArray>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

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

// shapelib creates with "wb" and reopens with "rb+"/"r+b": creating is
// exclusive and no mode follows a link, so an existing file or a link of that
// name makes the write fail instead of being overwritten.
SAFile openFile(const char* fileName, const char* access)
{
    const bool create = std::strchr(access, 'w') != nullptr;
    const bool update = create || std::strchr(access, '+') != nullptr;
    int flags = O_NOFOLLOW | O_CLOEXEC | (update ? O_RDWR : O_RDONLY);
    if (create)
        flags |= O_CREAT | O_EXCL;
    const int fd = ::open(withUpperCaseExtension(fileName).constData(), flags, 0666);
    if (fd < 0)
        return nullptr;
    FILE* file = ::fdopen(fd, update ? "r+b" : "rb");
    if (!file)
        ::close(fd);
    return reinterpret_cast<SAFile>(file);
}

// shapelib removes a code page file beside a new table; nothing existing is
// deleted here.
int keepFile(const char*)
{
    return 0;
}
} // namespace

SAHooks upperCaseExtensions()
{
    SAHooks hooks;
    SASetupDefaultHooks(&hooks);
    hooks.FOpen = openFile;
    hooks.Remove = keepFile;
    return hooks;
}

} // namespace ShapelibNameHooks
