#include "WindowGeometry.h"

#include "SettingsStore.h"
#include "Twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace {
// The frame as restored, kept on the window: [left, top, width, height] in
// twips as read, and the pixel rectangle they gave.
const char* const restoredTwips = "sorvanRestoredFrameTwips";
const char* const restoredPixels = "sorvanRestoredFramePixels";
const QString frameSizeOnShowName = QStringLiteral("sorvanFrameSizeOnShow");

QRect screensArea()
{
    QRect area;
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (const QScreen* screen : screens)
        area |= screen->availableGeometry();
    return area;
}

// The frame the window system draws around the window, once it is known.
std::optional<QMargins> knownFrame(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    if (!window->testAttribute(Qt::WA_WState_Created) || frame == inner)
        return std::nullopt;
    return QMargins(inner.left() - frame.left(), inner.top() - frame.top(),
                    frame.right() - inner.right(), frame.bottom() - inner.bottom());
}

// Gives the window the restored outer size: its inner size is that less the
// frame. Before the window system has framed the window (a window not shown
// yet), the frame it had when its geometry was saved stands in for it, so the
// window neither grows nor shrinks from one start to the next.
void applyFrameSize(QWidget* window, const QMargins& frame)
{
    const QSize outer = window->property(restoredPixels).toRect().size();
    window->resize(std::max(1, outer.width() - frame.left() - frame.right()),
                   std::max(1, outer.height() - frame.top() - frame.bottom()));
}

QMargins parsedFrame(const QString& text)
{
    const QStringList parts = text.split(',');
    if (parts.size() != 4)
        return {};
    int values[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts.at(i).trimmed().toInt(&ok);
        if (!ok || values[i] < 0 || values[i] > 200) // no frame is that wide
            return {};
    }
    return {values[0], values[1], values[2], values[3]};
}

// Sets the outer size again at the first show when the frame is known by
// then (and differs from the one assumed), then goes.
class FrameSizeOnShow : public QObject {
public:
    explicit FrameSizeOnShow(QWidget* window) : QObject(window)
    {
        setObjectName(frameSizeOnShowName);
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched == parent()) {
            auto* window = static_cast<QWidget*>(watched);
            if (const std::optional<QMargins> frame = knownFrame(window))
                applyFrameSize(window, *frame);
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

// A pixel value cut to [low, high]; the twips value stays as stored unless the
// cut changed the pixel value.
void fit(int& pixels, int& twips, int low, int high)
{
    const int cut = std::clamp(pixels, low, std::max(low, high));
    if (cut != pixels)
        twips = Twips::fromPixels(cut);
    pixels = cut;
}
} // namespace

void WindowGeometry::restore(QWidget* window, const SettingsStore& settings) const
{
    int l = settings.getInt(prefix + QStringLiteral("Left"), left);
    int t = settings.getInt(prefix + QStringLiteral("Top"), top);
    int h = settings.getInt(prefix + QStringLiteral("height"), height);
    int w = settings.getInt(prefix + QStringLiteral("width"), width);
    int x = Twips::toPixels(l), y = Twips::toPixels(t);
    int pw = Twips::toPixels(w), ph = Twips::toPixels(h);
    const QRect area = screensArea();
    fit(pw, w, 1, area.isEmpty() ? QWIDGETSIZE_MAX : area.width());
    fit(ph, h, 1, area.isEmpty() ? QWIDGETSIZE_MAX : area.height());
    if (!area.isEmpty()) {
        fit(x, l, area.left(), area.left() + area.width() - pw);
        fit(y, t, area.top(), area.top() + area.height() - ph);
    }
    window->setProperty(restoredTwips, QVariantList{l, t, w, h});
    window->setProperty(restoredPixels, QRect(x, y, pw, ph));
    window->move(x, y);
    applyFrameSize(window, knownFrame(window).value_or(
                               parsedFrame(settings.getSetting(prefix + QStringLiteral("frame"), {}))));
    if (!window->isVisible() &&
        !window->findChild<QObject*>(frameSizeOnShowName, Qt::FindDirectChildrenOnly))
        new FrameSizeOnShow(window);
}

bool WindowGeometry::save(const QWidget* window, SettingsStore& settings) const
{
    if (window->isMinimized())
        return false;
    const QRect frame = window->frameGeometry();
    const int now[] = {frame.x(), frame.y(), frame.width(), frame.height()};
    const QRect restored = window->property(restoredPixels).toRect();
    const int was[] = {restored.x(), restored.y(), restored.width(), restored.height()};
    const QVariantList twips = window->property(restoredTwips).toList();
    const QString keys[] = {QStringLiteral("left"), QStringLiteral("Top"), QStringLiteral("width"),
                            QStringLiteral("height")};
    for (int i = 0; i < 4; ++i) {
        const bool unchanged = twips.size() == 4 && now[i] == was[i];
        settings.saveInt(prefix + keys[i],
                         unchanged ? twips.at(i).toInt() : Twips::fromPixels(now[i]));
    }
    const QMargins margins = knownFrame(window).value_or(QMargins());
    settings.saveSetting(prefix + QStringLiteral("frame"), QStringLiteral("%1,%2,%3,%4")
                                                               .arg(margins.left())
                                                               .arg(margins.top())
                                                               .arg(margins.right())
                                                               .arg(margins.bottom()));
    settings.sync();
    return true;
}
