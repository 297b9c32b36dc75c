#include "CurrentRowFrame.h"

#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>

CurrentRowFrame::CurrentRowFrame(QTableView* grid, const QColor& colour)
    : QWidget(grid->viewport()), m_grid(grid), m_colour(colour)
{
    setObjectName(QStringLiteral("currentrowframe"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    const auto follow = [this] { this->follow(); };
    connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, this, follow);
    connect(grid->model(), &QAbstractItemModel::modelReset, this, follow);
    connect(grid->model(), &QAbstractItemModel::layoutChanged, this, follow);
    connect(grid->verticalScrollBar(), &QScrollBar::valueChanged, this, follow);
    connect(grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, follow);
    connect(grid->horizontalHeader(), &QHeaderView::sectionResized, this, follow);
    connect(grid->verticalHeader(), &QHeaderView::sectionResized, this, follow);
    grid->viewport()->installEventFilter(this);
    follow();
}

void CurrentRowFrame::follow()
{
    const QModelIndex current = m_grid->currentIndex();
    const QAbstractItemModel* model = m_grid->model();
    if (!current.isValid() || model->columnCount() == 0) {
        hide();
        return;
    }
    const QRect first = m_grid->visualRect(model->index(current.row(), 0));
    const QRect last = m_grid->visualRect(model->index(current.row(), model->columnCount() - 1));
    const QRect row = first.united(last).intersected(m_grid->viewport()->rect());
    if (row.isEmpty()) {
        hide();
        return;
    }
    setGeometry(row);
    show();
    raise();
    update();
}

void CurrentRowFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(QColor(20, 20, 20), 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(QPen(m_colour, 2));
    painter.drawRect(QRectF(rect()).adjusted(2, 2, -2, -2));
}

bool CurrentRowFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid->viewport() && event->type() == QEvent::Resize)
        follow();
    return QWidget::eventFilter(watched, event);
}
