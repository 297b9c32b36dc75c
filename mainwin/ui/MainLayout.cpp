#include "MainLayout.h"

#include "SettingsStore.h"
#include "WindowGeometry.h"

#include <QAction>
#include <QDockWidget>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>

namespace {
const WindowGeometry mainGeometry{QStringLiteral("mdi0"), MainLayout::defaultLeft,
                                  MainLayout::defaultTop, MainLayout::defaultHeight,
                                  MainLayout::defaultWidth};
// The dock layout (docked or floating, sizes) as saveState gives it, base64,
// and whether the window was maximised.
const QString layoutKey = QStringLiteral("mdi0layout");
const QString maximisedKey = QStringLiteral("mdi0maximised");
constexpr int layoutVersion = 1;
} // namespace

namespace MainLayout {

void restoreGeometry(QMainWindow& window, const SettingsStore* settings)
{
    if (!settings)
        return;
    const bool stored = settings->getInt(QStringLiteral("mdi0width"), -1) > 0 &&
                        settings->getInt(QStringLiteral("mdi0height"), -1) > 0;
    if (stored) {
        mainGeometry.restore(&window, *settings);
        if (settings->getInt(maximisedKey, 0) == 1)
            window.setWindowState(window.windowState() | Qt::WindowMaximized);
        return;
    }
    // First start: most of the screen, centred; small screens all of it.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size(int(area.width() * firstStartShare), int(area.height() * firstStartShare));
    window.resize(size);
    window.move(area.left() + (area.width() - size.width()) / 2,
                area.top() + (area.height() - size.height()) / 2);
    if (screen->size().width() < 1280 || screen->size().height() < 800)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void saveGeometry(const QMainWindow& window, SettingsStore* settings)
{
    if (!settings || window.isMinimized())
        return;
    const bool maximised = window.isMaximized() || window.isFullScreen();
    if (!maximised)
        mainGeometry.save(&window, *settings);
    settings->saveInt(maximisedKey, maximised ? 1 : 0);
    settings->saveSetting(layoutKey,
                          QString::fromLatin1(window.saveState(layoutVersion).toBase64()));
    settings->sync();
}

bool restoreDocks(QMainWindow& window, const SettingsStore* settings)
{
    if (!settings)
        return false;
    const QByteArray state =
        QByteArray::fromBase64(settings->getSetting(layoutKey, QString()).toLatin1());
    return !state.isEmpty() && window.restoreState(state, layoutVersion);
}

QDockWidget* makeDock(QMainWindow& window, QWidget* content, Qt::DockWidgetArea area,
                      QAction* refresh)
{
    auto* dock = new QDockWidget(&window);
    dock->setObjectName(QStringLiteral("dock") + content->objectName());
    dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                      QDockWidget::DockWidgetFloatable);
    dock->setWindowTitle(content->windowTitle().trimmed());
    QObject::connect(content, &QWidget::windowTitleChanged, dock,
                     [dock](const QString& title) { dock->setWindowTitle(title.trimmed()); });
    dock->setWidget(content);
    if (refresh)
        dock->addAction(refresh);
    window.addDockWidget(area, dock);
    return dock;
}

} // namespace MainLayout
