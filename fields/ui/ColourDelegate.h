#pragma once

#include <QStyledItemDelegate>
#include <functional>

class QColor;

// The Farbe column's delegate. Its editor: the colour number, shown on the editing
// colour (the row's Farbe), and a button cmdfarbe that opens the colour
// dialog preset with it. A confirmed colour is written into the cell as
// red + 256 * green + 65536 * blue and stored at once; cancelling changes
// nothing. Other columns edit as usual on the grid's standard colours.
class ColourDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // choose shows the colour dialog; an invalid colour means cancelled.
    using Chooser = std::function<QColor(QWidget* parent, const QColor& initial)>;
    ColourDelegate(int colourColumn, Chooser choose, QObject* parent = nullptr);

    // The Farbe cell shows a swatch of its colour with a dark edge, selected
    // or not; other cells paint as usual.
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

private:
    int m_column;
    Chooser m_choose;
};
