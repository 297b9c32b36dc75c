#pragma once

#include <QColor>
#include <QWidget>

class QTableView;

// A frame in the map's highlight colour around the current row of a grid,
// drawn over the selection, so that the row of the plot (or measurement)
// outlined on the map stands out among selected rows. It lets the mouse
// through and follows scrolling, column widths and reloads.
class CurrentRowFrame : public QWidget {
    Q_OBJECT
public:
    CurrentRowFrame(QTableView* grid, const QColor& colour);

    // Frames the current row again (after a reload or scrolling).
    void follow();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* m_grid;
    QColor m_colour;
};
