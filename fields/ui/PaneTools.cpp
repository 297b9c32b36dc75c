#include "PaneTools.h"

#include <QAction>
#include <QToolBar>

namespace PaneTools {

QToolBar* toolbar(QWidget* parent, const char* name)
{
    auto* bar = new QToolBar(parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setIconSize(QSize(16, 16));
    return bar;
}

QAction* add(QToolBar* bar, const char* name, const char* caption, QStyle::StandardPixmap icon)
{
    QAction* action = bar->addAction(bar->style()->standardIcon(icon), QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(QString::fromUtf8(caption));
    return action;
}

} // namespace PaneTools
