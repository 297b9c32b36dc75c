#include "PdfFileTarget.h"

#include "FileGuard.h"

#include <QDir>
#include <QFileInfo>

#include <climits>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

QString PdfFileTarget::replaceRefusal(const QString& path)
{
    struct stat status {};
    const QByteArray name = QFile::encodeName(path);
    if (::lstat(name.constData(), &status) != 0)
        return {};
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("not a regular file: left as it is");
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(name.constData(), W_OK) != 0)
        return QStringLiteral("the file is write-protected");
    return {};
}

QPageLayout PdfFileTarget::pageLayout(QPageSize::PageSizeId paper,
                                      QPageLayout::Orientation orientation)
{
    return QPageLayout(QPageSize(paper), orientation, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

PdfFileTarget::PdfFileTarget(const QString& path, const QPageLayout& layout, const QString& title)
    : m_path(QFileInfo(path).absoluteFilePath())
{
    const QFileInfo info(m_path);
    m_refusal = replaceRefusal(m_path);
    if (!m_refusal.isEmpty())
        return;
    m_refusal = QStringLiteral("the file cannot be written");
    if (FileGuard::step(FileGuard::Step::OpenForWriting, m_path) != 0)
        return;
    // The partial file's name stays within the limit for a name.
    const QString partial = QStringLiteral(".") + info.fileName() + QStringLiteral(".XXXXXX");
    m_partial.setFileTemplate(info.absolutePath() + '/' +
                              (QFile::encodeName(partial).size() > NAME_MAX
                                   ? QStringLiteral(".sorvan-print.XXXXXX")
                                   : partial));
    if (!m_partial.open())
        return;
    m_partial.close();
    m_writer = std::make_unique<QPdfWriter>(m_partial.fileName());
    m_writer->setResolution(1200);
    m_writer->setPageLayout(layout);
    m_writer->setCreator(QStringLiteral("Sorvan-GIS-Viewer"));
    m_writer->setTitle(title);
    m_refusal.clear();
}

bool PdfFileTarget::close(bool complete)
{
    if (!m_writer)
        return false;
    m_writer.reset(); // the file is written and closed
    if (!complete) {
        m_partial.remove();
        return false;
    }
    // What took the name meanwhile is as safe as what was there before.
    if (!replaceRefusal(m_path).isEmpty() ||
        FileGuard::moveOver(m_partial.fileName(), m_path).isError()) {
        m_partial.remove();
        return false;
    }
    m_partial.setAutoRemove(false);
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                      QFile::ReadOther);
    return true;
}
