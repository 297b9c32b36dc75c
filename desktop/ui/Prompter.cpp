#include "Prompter.h"

#include "DesktopOpener.h"

#include <QColorDialog>
#include <QCursor>
#include <QGuiApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QTextStream>

namespace {
// Takes every override pointer (the wait pointer of a long operation) off
// while a dialog is up, so the user sees the normal pointer over it, and puts
// them back afterwards, on every path out.
class CursorPause {
public:
    CursorPause()
    {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            return;
        while (const QCursor* cursor = QGuiApplication::overrideCursor()) {
            m_stack.prepend(*cursor);
            QGuiApplication::restoreOverrideCursor();
        }
    }
    ~CursorPause()
    {
        for (const QCursor& cursor : std::as_const(m_stack))
            QGuiApplication::setOverrideCursor(cursor);
    }
    CursorPause(const CursorPause&) = delete;
    CursorPause& operator=(const CursorPause&) = delete;

private:
    QList<QCursor> m_stack;
};

bool pointerOverridden()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) &&
           QGuiApplication::overrideCursor();
}
} // namespace

Prompter& Prompter::instance()
{
    static Prompter prompter;
    return prompter;
}

QVariant Prompter::takeAnswer()
{
    if (m_answers.empty())
        return {};
    QVariant answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

QMessageBox::StandardButton Prompter::message(QWidget* parent, QMessageBox::Icon icon,
                                              const QString& title, const QString& text,
                                              QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton defaultButton)
{
    const CursorPause pause;
    m_shown.append({QStringLiteral("message"), title, text, int(icon), pointerOverridden()});
    if (m_testMode) {
        const QVariant answer = takeAnswer();
        if (answer.isValid())
            return QMessageBox::StandardButton(answer.toInt());
        if (buttons.testFlag(QMessageBox::No))
            return QMessageBox::No;
        return QMessageBox::Ok;
    }
    if (m_nonInteractive) {
        QTextStream(stderr) << title << ": " << text << '\n';
        return buttons.testFlag(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok;
    }
    QMessageBox box(icon, title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

QString Prompter::existingDirectory(QWidget* parent, const QString& title, const QString& start)
{
    const CursorPause pause;
    m_shown.append({QStringLiteral("folder"), title, start, 0, pointerOverridden()});
    if (m_testMode)
        return takeAnswer().toString();
    if (m_nonInteractive)
        return {};
    return QFileDialog::getExistingDirectory(parent, title, start, QFileDialog::ShowDirsOnly);
}

QString Prompter::saveFile(QWidget* parent, const QString& title, const QString& start,
                           const QString& filter)
{
    m_shown.append({QStringLiteral("file"), title, start, 0});
    if (m_testMode)
        return takeAnswer().toString();
    if (m_nonInteractive)
        return {};
    return QFileDialog::getSaveFileName(parent, title, start, filter);
}

QString Prompter::fileName(QWidget* parent, const QString& title, const QString& filter,
                           bool forSaving)
{
    m_shown.append({QStringLiteral("file"), title, filter, 0});
    if (m_testMode)
        return takeAnswer().toString();
    if (m_nonInteractive)
        return {};
    return forSaving ? QFileDialog::getSaveFileName(parent, title, {}, filter, nullptr,
                                                    QFileDialog::DontConfirmOverwrite)
                     : QFileDialog::getOpenFileName(parent, title, {}, filter);
}

QColor Prompter::colour(QWidget* parent, const QString& title, const QColor& initial)
{
    const CursorPause pause;
    m_shown.append({QStringLiteral("colour"), title, initial.name(), 0, pointerOverridden()});
    if (m_testMode)
        return takeAnswer().value<QColor>();
    if (m_nonInteractive)
        return {};
    return QColorDialog::getColor(initial, parent, title);
}

std::optional<double> Prompter::number(QWidget* parent, const QString& title,
                                       const QString& label, double value, double least,
                                       double largest, int decimals)
{
    const CursorPause pause;
    m_shown.append({QStringLiteral("number"), title, label, 0, pointerOverridden()});
    if (m_testMode) {
        const QVariant answer = takeAnswer();
        if (!answer.isValid())
            return std::nullopt;
        return answer.toDouble();
    }
    if (m_nonInteractive)
        return std::nullopt;
    bool ok = false;
    const double chosen =
        QInputDialog::getDouble(parent, title, label, value, least, largest, decimals, &ok);
    return ok ? std::optional<double>(chosen) : std::nullopt;
}

bool Prompter::openUrl(const QUrl& url)
{
    m_shown.append({QStringLiteral("url"), QString(), url.toString(), 0});
    if (m_urlOpener)
        return m_urlOpener(url);
    if (m_testMode || m_nonInteractive)
        return true;
    return DesktopOpener::open(url);
}
