#pragma once

#include <QAccessibleWidget>

class Hyperlink;

// The hyperlink as a screen reader meets it: a link named by its text, with the
// address as its description, an action that opens it, and "visited" once opened.
class HyperlinkAccessible : public QAccessibleWidget {
public:
    explicit HyperlinkAccessible(Hyperlink* link);

    QString text(QAccessible::Text textType) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    Hyperlink* link() const;
};
