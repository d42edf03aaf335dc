#pragma once

#include <QAccessibleWidget>

class QToolButton;

// A command button of a tool bar as a screen reader meets it: named after its
// command without the shortcut that the command's menu text carries ("New",
// not "New<tab>Strg+N"), with the shortcut as its key binding.
class ToolBarButtonAccessible : public QAccessibleWidget {
public:
    explicit ToolBarButtonAccessible(QToolButton* button);

    // For QAccessible::installFactory: the buttons of tool bars that show a command.
    static QAccessibleInterface* create(const QString& className, QObject* object);

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text textType) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    QToolButton* button() const;
    QString shortcutText() const;
};
