#include "ColourDelegate.h"

#include "BgrColour.h"

#include <QApplication>
#include <QColor>
#include <QPainter>
#include <QStyle>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

namespace {
const char* const editName = "txtfarbe";

QLineEdit* numberOf(QWidget* editor)
{
    return editor->findChild<QLineEdit*>(QString::fromLatin1(editName));
}

void paintEditingColour(QLineEdit* edit, const QColor& colour)
{
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Text, colour.lightness() < 128 ? Qt::white : Qt::black);
    edit->setPalette(palette);
}
} // namespace

ColourDelegate::ColourDelegate(int colourColumn, Chooser choose, QObject* parent)
    : QStyledItemDelegate(parent), m_column(colourColumn), m_choose(std::move(choose))
{
}

void ColourDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const
{
    if (index.column() != m_column) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem plain = option;
    initStyleOption(&plain, index);
    plain.backgroundBrush = Qt::NoBrush;
    plain.text.clear();
    QStyle* style = plain.widget ? plain.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, plain.widget);
    const QVariant colour = index.data(Qt::BackgroundRole);
    if (!colour.canConvert<QColor>())
        return;
    const QRect swatch = option.rect.adjusted(3, 3, -3, -3);
    painter->save();
    painter->setPen(QColor(64, 64, 64));
    painter->setBrush(colour.value<QColor>());
    painter->drawRect(swatch.adjusted(0, 0, -1, -1));
    painter->restore();
}

QWidget* ColourDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const
{
    if (index.column() != m_column)
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto* editor = new QWidget(parent);
    editor->setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(editor);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* number = new QLineEdit(editor);
    number->setObjectName(QString::fromLatin1(editName));
    number->setFrame(false);
    auto* button = new QToolButton(editor);
    button->setObjectName(QStringLiteral("cmdfarbe"));
    button->setText(QStringLiteral("..."));
    layout->addWidget(number, 1);
    layout->addWidget(button);
    editor->setFocusProxy(number);
    connect(button, &QToolButton::clicked, editor, [this, editor, number] {
        const QColor chosen = m_choose(editor, BgrColour::toColor(number->text().toInt()));
        if (!chosen.isValid())
            return;
        number->setText(
            QString::number(chosen.red() + 256 * chosen.green() + 65536 * chosen.blue()));
        paintEditingColour(number, chosen);
        emit const_cast<ColourDelegate*>(this)->commitData(editor);
    });
    return editor;
}

void ColourDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    QLineEdit* number = index.column() == m_column ? numberOf(editor) : nullptr;
    if (!number) {
        QStyledItemDelegate::setEditorData(editor, index);
        return;
    }
    const QString text = index.data(Qt::EditRole).toString();
    number->setText(text);
    paintEditingColour(number, BgrColour::toColor(text.toInt()));
}

void ColourDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const
{
    QLineEdit* number = index.column() == m_column ? numberOf(editor) : nullptr;
    if (!number) {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
    model->setData(index, number->text(), Qt::EditRole);
}

void ColourDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const
{
    if (index.column() == m_column)
        editor->setGeometry(option.rect);
    else
        QStyledItemDelegate::updateEditorGeometry(editor, option, index);
}
