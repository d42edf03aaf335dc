#pragma once

#include "controls/shade_pictures.h"

#include <QPixmap>
#include <QPushButton>

#include <optional>

// A push button, check box or radio button of the forms drawn on a shaded,
// slightly tinted face: lighter while the pointer is over it, shifted by a
// pixel while pressed, with optional icons and a dotted focus frame.
//
// It stays a QPushButton, so Tab order, Alt mnemonics, accessibility and the
// dialog's default button on Enter work as for any button. Check boxes and
// radio buttons are checkable buttons: a click, Space or the mnemonic changes
// the check before clicked() is emitted, so a slot reads the new state.
class ShadeButton : public QPushButton {
    Q_OBJECT
public:
    enum class Kind { PushButton, CheckBox, RadioButton };

    enum class Option {
        PushLike = 0x1,  // a check box or radio button drawn as a button with an edge
        Flat = 0x2,      // thin edges, shown only under the pointer
        AlignLeft = 0x4, // text at the left instead of centred
        AlignRight = 0x8,
    };
    Q_DECLARE_FLAGS(Options, Option)

    enum class IconAlignment { Left, Right, AboveText };

    // The resource numbers of the check marks the forms' check boxes show.
    static constexpr int kUncheckedIcon = 144;
    static constexpr int kCheckedIcon = 143;
    static constexpr int kDefaultFocusOffset = 4;

    explicit ShadeButton(Kind kind, const QString& text = {}, QWidget* parent = nullptr, Options options = {});

    Kind kind() const { return m_kind; }
    bool isPushLike() const { return m_pushLike; }
    bool hasBorder() const { return m_border; }
    bool isHovered() const { return m_hover; }
    Qt::Alignment textAlignment() const { return m_textAlignment; }

    // Inset of the focus frame and of the text from the sides; 0 draws no focus frame.
    int focusOffset() const { return m_focusOffset; }
    void setFocusOffset(int offset);

    // The text colour; until one is set, the palette's button text colour.
    QColor textColor() const;
    // Returns the colour used before.
    QColor setTextColor(const QColor& color);
    // The colours the text is drawn in on the face as the palette makes it:
    // enabled, the text colour, made lighter or darker where it would stand
    // out too little; disabled, a grey that stands out clearly less.
    QColor shownTextColor() const { return m_shownText; }
    QColor disabledTextColor() const { return m_disabledText; }

    // The least contrast of an enabled button's text against its face, and the most of a disabled one's.
    static constexpr double kReadableContrast = 4.5;
    static constexpr double kDisabledContrast = 3.0;

    // The down icon is shown while pressed or checked, the hover icon under
    // the pointer; either falls back to the normal icon when null.
    void setIcons(const QPixmap& normal, IconAlignment alignment, const QPixmap& down = {}, const QPixmap& hover = {});
    // The forms' check mark pair: unchecked mark at the left, checked mark while pressed or checked.
    void setCheckMarkIcons();

    // The pictures for the present size and palette, made when first asked for.
    const ShadePictures& pictures() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void nextCheckState() override;
    void focusOutEvent(QFocusEvent* event) override;
    bool hitButton(const QPoint& position) const override;

private:
    void forgetPictures();
    void chooseTextColours();
    void setHovered(bool hover);
    QRect iconRect(const QPixmap& icon) const;
    QRect textRect(const QPixmap& icon) const;
    void drawEdges(QPainter& painter, bool shownDown) const;
    void drawFocusFrame(QPainter& painter) const;
    void drawText(QPainter& painter, QRect rect) const;

    Kind m_kind;
    bool m_pushLike;
    bool m_border;
    bool m_hover = false;
    bool m_tracking = false;          // the left button went down here and has not been given up
    bool m_checkChangedByKey = false; // the space bar went down and changed the check already
    int m_focusOffset = kDefaultFocusOffset;
    Qt::Alignment m_textAlignment;
    std::optional<QColor> m_textColor;
    QColor m_shownText;
    QColor m_disabledText;
    bool m_embossed = true;
    QPixmap m_icon;
    QPixmap m_downIcon;
    QPixmap m_hoverIcon;
    IconAlignment m_iconAlignment = IconAlignment::AboveText;
    // Null until first needed after a change of size or palette: a button
    // that is made, placed and then shown draws its pictures only once.
    mutable ShadePictures m_pictures;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(ShadeButton::Options)
