#pragma once

#include <QString>

class QWidget;
class SettingsStore;

// A window's position and size in the settings store, in twips, under the
// keys prefix + "Left", "Top", "height", "width".
struct WindowGeometry {
    QString prefix; // "mdi0", "schlagdaten", "gpsdaten"
    int left = 0;   // defaults, twips
    int top = 0;
    int height = 0;
    int width = 0;

    // Reads Left, Top, Height, Width (missing keys give the defaults) and
    // applies them to the window.
    void restore(QWidget* window, const SettingsStore& settings) const;
    // Stores the window's geometry unless it is minimised; returns whether it
    // stored.
    bool save(const QWidget* window, SettingsStore& settings) const;
};
