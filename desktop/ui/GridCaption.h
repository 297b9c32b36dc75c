#pragma once

class QLabel;
class QWidget;

// A caption shown above a grid: a label that shows the grid's "caption"
// property (which the window translation sets) and follows every change of it.
namespace GridCaption {
QLabel* create(QWidget* grid, QWidget* parent);
}
