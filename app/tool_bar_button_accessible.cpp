#include "app/tool_bar_button_accessible.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>

ToolBarButtonAccessible::ToolBarButtonAccessible(QToolButton* button) : QAccessibleWidget(button)
{
}

QAccessibleInterface* ToolBarButtonAccessible::create(const QString& className, QObject* object)
{
    auto* button = qobject_cast<QToolButton*>(object);
    if (className != QLatin1String("QToolButton") || !button || !button->defaultAction() ||
        !qobject_cast<QToolBar*>(button->parentWidget()))
        return nullptr;
    return new ToolBarButtonAccessible(button);
}

QToolButton* ToolBarButtonAccessible::button() const
{
    return static_cast<QToolButton*>(widget());
}

QString ToolBarButtonAccessible::shortcutText() const
{
    const QAction* command = button()->defaultAction();
    return command ? command->shortcut().toString() : QString();
}

QAccessible::Role ToolBarButtonAccessible::role() const
{
    return button()->isCheckable() ? QAccessible::CheckBox : QAccessible::Button;
}

QAccessible::State ToolBarButtonAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.pressed = button()->isDown();
    state.checkable = button()->isCheckable();
    state.checked = button()->isChecked();
    return state;
}

QString ToolBarButtonAccessible::text(QAccessible::Text textType) const
{
    switch (textType) {
    case QAccessible::Name:
        if (!button()->accessibleName().isEmpty())
            return button()->accessibleName();
        // The icon text is the command's text without mnemonic and ellipsis; the shortcut follows a tab.
        return button()->text().section(QLatin1Char('\t'), 0, 0);
    case QAccessible::Accelerator: return shortcutText();
    default: return QAccessibleWidget::text(textType);
    }
}

QStringList ToolBarButtonAccessible::actionNames() const
{
    return QStringList{button()->isCheckable() ? toggleAction() : pressAction()} + QAccessibleWidget::actionNames();
}

void ToolBarButtonAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction() || actionName == toggleAction())
        button()->click();
    else
        QAccessibleWidget::doAction(actionName);
}

QStringList ToolBarButtonAccessible::keyBindingsForAction(const QString& actionName) const
{
    const QString keys = shortcutText();
    if ((actionName == pressAction() || actionName == toggleAction()) && !keys.isEmpty())
        return {keys};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}
