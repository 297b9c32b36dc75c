#include "WindowGeometry.h"

#include "SettingsStore.h"
#include "Twips.h"

#include <QWidget>

void WindowGeometry::restore(QWidget* window, const SettingsStore& settings) const
{
    const int l = settings.getInt(prefix + QStringLiteral("Left"), left);
    const int t = settings.getInt(prefix + QStringLiteral("Top"), top);
    const int h = settings.getInt(prefix + QStringLiteral("height"), height);
    const int w = settings.getInt(prefix + QStringLiteral("width"), width);
    window->move(Twips::toPixels(l), Twips::toPixels(t));
    window->resize(qMax(1, Twips::toPixels(w)), qMax(1, Twips::toPixels(h)));
}

bool WindowGeometry::save(const QWidget* window, SettingsStore& settings) const
{
    if (window->isMinimized())
        return false;
    settings.saveInt(prefix + QStringLiteral("left"), Twips::fromPixels(window->x()));
    settings.saveInt(prefix + QStringLiteral("Top"), Twips::fromPixels(window->y()));
    settings.saveInt(prefix + QStringLiteral("width"), Twips::fromPixels(window->width()));
    settings.saveInt(prefix + QStringLiteral("height"), Twips::fromPixels(window->height()));
    settings.sync();
    return true;
}
