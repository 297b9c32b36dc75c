#pragma once

#include "PrintRun.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <QTemporaryFile>
#include <memory>

// A PDF file as the print target. The document is written to a temporary
// file beside the chosen one and takes its name only when it is complete, so
// a failed or aborted run leaves an existing file as it was and no new one.
class PdfFileTarget : public PrintTarget {
public:
    // The page layout of a sheet: paper, orientation, and margins of 10 mm
    // as the unprintable border of a printer.
    static QPageLayout pageLayout(QPageSize::PageSizeId paper,
                                  QPageLayout::Orientation orientation);

    PdfFileTarget(const QString& path, const QPageLayout& layout, const QString& title = {});

    // Why the name path may not be replaced by a new file the user asked for:
    // anything but a regular file (a link included) is never replaced, nor is
    // a file that grants no one the right to write (as cp would not silently
    // override it) or that this user may not write. Empty when path is free
    // or may be replaced.
    static QString replaceRefusal(const QString& path);

    // False when the file cannot be written: its folder is missing or not
    // writable, or the name is taken by something other than a regular file
    // (a link included) or by a write-protected file; refusal() says which.
    bool isReady() const { return m_writer != nullptr; }
    QString refusal() const { return m_refusal; }

    QPagedPaintDevice* device() override { return m_writer.get(); }
    QString name() const override { return m_path; }
    bool close(bool complete) override;

private:
    QString m_path;
    QString m_refusal; // why the target is refused; empty when it is not
    QTemporaryFile m_partial;
    std::unique_ptr<QPdfWriter> m_writer;
};
