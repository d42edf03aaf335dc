#pragma once

#include "controls/link_opener.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// A line of text that opens a web address when clicked: drawn in link colours,
// underlined, with a hand pointer and the address as its tool tip. A failure
// to open beeps and tells the user why. Tab reaches it; Enter or Space opens it.
class Hyperlink : public QWidget {
    Q_OBJECT
public:
    enum class Underline {
        WhileHovered,
        Never,
        Always,
    };

    static inline const QColor kLinkColor{0, 0, 238};
    static inline const QColor kVisitedColor{85, 26, 139};
    static inline const QColor kHoverColor{255, 0, 0};
    static constexpr int kHoverCheckMs = 100;
    // The least contrast of the text against the window: the stated colours
    // keep it on a light window, lighter shades of them reach it on a dark one.
    static constexpr double kReadableContrast = 3.0;

    // Shows a message with the exclamation icon and OK.
    using ShowMessage = std::function<void(QWidget* parent, const QString& text)>;

    // An empty address is taken from the text, and an empty text from the address.
    explicit Hyperlink(const QString& text, const QString& url = {}, QWidget* parent = nullptr);
    ~Hyperlink() override;

    QString text() const { return m_text; }
    void setText(const QString& text);
    QString url() const { return m_url; }
    void setUrl(const QString& url);

    Underline underline() const { return m_underline; }
    void setUnderline(Underline underline);
    bool isVisited() const { return m_visited; }
    void setVisited(bool visited);
    bool isHovered() const { return m_hovered; }

    // Horizontal alignment says which edge stays in place when the link is
    // fitted to its text; Qt::AlignVCenter keeps its vertical centre.
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);
    bool adjustsToText() const { return m_adjustToText; }
    void setAdjustToText(bool adjust);
    // Sizes the link to its text (when it adjusts to it), keeping the edge or
    // centre its alignment names.
    void fitToText();

    // The opener is not owned; without one the desktop's own is used.
    void setOpener(LinkOpener* opener);
    // By default a QMessageBox captioned "Jhavari-Training".
    void setMessageFunction(ShowMessage showMessage);

    QSize sizeHint() const override;

    // "Unable to open hyperlink:" and the reason, as the user is shown it.
    static QString failureMessage(LinkOpener::Result result);

    // Opens the address as a click does.
    void open();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void checkPointerStillOver();
    void openFinished(LinkOpener::Result result);
    QFont underlinedFont() const;
    QColor currentColor() const;

    QString m_text;
    QString m_url;
    Underline m_underline = Underline::WhileHovered;
    bool m_underlined = false; // the underlined font is selected
    bool m_visited = false;
    bool m_hovered = false;
    bool m_adjustToText = true;
    bool m_fittedOnce = false;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignTop;
    QTimer m_hoverTimer;
    LinkOpener* m_opener = nullptr;
    std::unique_ptr<LinkOpener> m_desktopOpener;
    ShowMessage m_showMessage;
};
