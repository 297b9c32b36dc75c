#pragma once

#include <QString>

class QWidget;
class SettingsStore;

// A window's outer geometry (frame included) in the settings store, in twips,
// under the keys prefix + "Left", "Top", "height", "width".
struct WindowGeometry {
    QString prefix; // "mdi0", "schlagdaten", "gpsdaten"
    int left = 0;   // defaults, twips
    int top = 0;
    int height = 0;
    int width = 0;

    // Reads Left, Top, Height, Width (missing keys give the defaults) and gives
    // the window that frame, cut to the screens: no larger than the area all
    // screens cover and placed inside it. A window not shown yet gets its frame
    // size when it is first shown, once the frame is known.
    void restore(QWidget* window, const SettingsStore& settings) const;
    // Stores the window's frame unless it is minimised, and the width of the
    // frame's four sides in pixels under prefix + "frame" (the restore needs
    // it before the window system frames the window); returns whether it
    // stored. A value the window still has as restored is written back as it
    // was read, so saving an unchanged window changes no number.
    bool save(const QWidget* window, SettingsStore& settings) const;
};
