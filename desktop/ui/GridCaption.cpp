#include "GridCaption.h"

#include <QDynamicPropertyChangeEvent>
#include <QEvent>
#include <QLabel>
#include <QPointer>

namespace {
class CaptionFollower : public QObject {
public:
    CaptionFollower(QWidget* grid, QLabel* label) : QObject(label), m_label(label)
    {
        grid->installEventFilter(this);
        m_label->setText(grid->property("caption").toString());
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::DynamicPropertyChange &&
            static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName() == "caption" &&
            m_label)
            m_label->setText(watched->property("caption").toString());
        return false;
    }

private:
    QPointer<QLabel> m_label;
};
} // namespace

namespace GridCaption {
QLabel* create(QWidget* grid, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("caption") + grid->objectName().mid(3));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setBuddy(grid);
    new CaptionFollower(grid, label);
    return label;
}
} // namespace GridCaption
