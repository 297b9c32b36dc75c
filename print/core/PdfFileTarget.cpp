#include "PdfFileTarget.h"

#include "FileGuard.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

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
    // A link is replaced by the new file, never written through.
    if (info.exists() && !info.isSymLink() && !info.isFile())
        return;
    if (FileGuard::step(FileGuard::Step::OpenForWriting, m_path) != 0)
        return;
    m_partial.setFileTemplate(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                              QStringLiteral(".XXXXXX"));
    if (!m_partial.open())
        return;
    m_partial.close();
    m_writer = std::make_unique<QPdfWriter>(m_partial.fileName());
    m_writer->setResolution(1200);
    m_writer->setPageLayout(layout);
    m_writer->setCreator(QStringLiteral("Sorvan-GIS-Viewer"));
    m_writer->setTitle(title);
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
    if (FileGuard::moveOver(m_partial.fileName(), m_path).isError())
        return false;
    m_partial.setAutoRemove(false);
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                      QFile::ReadOther);
    return true;
}
