#pragma once

#include <QWidget>

// The start window frmstart, shown while the main window loads: the program's
// name and two pictures, centred on the screen, nothing to operate.
class StartWindow : public QWidget {
    Q_OBJECT
public:
    explicit StartWindow(QWidget* parent = nullptr);
    // Shows the window and lets it paint before the caller goes on.
    void showAndPaint();
};
