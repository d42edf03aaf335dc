#include "controls/hyperlink_accessible.h"

#include "controls/hyperlink.h"

HyperlinkAccessible::HyperlinkAccessible(Hyperlink* link) : QAccessibleWidget(link, QAccessible::Link)
{
}

Hyperlink* HyperlinkAccessible::link() const
{
    return static_cast<Hyperlink*>(widget());
}

QString HyperlinkAccessible::text(QAccessible::Text textType) const
{
    QString text = QAccessibleWidget::text(textType);
    if (text.isEmpty() && textType == QAccessible::Name)
        text = link()->text();
    if (textType == QAccessible::Value)
        text = link()->url();
    return text;
}

QAccessible::State HyperlinkAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.linked = true;
    state.traversed = link()->isVisited();
    return state;
}

QStringList HyperlinkAccessible::actionNames() const
{
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void HyperlinkAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction())
        link()->open();
    else
        QAccessibleWidget::doAction(actionName);
}
