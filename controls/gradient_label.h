#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QWidget>

// A text label that draws its own background: a plain colour, a two-colour
// gradient, a picture, or nothing at all so that what lies under it shows
// through. It breaks its text into lines itself. A single .bmp file dropped on
// it becomes its background picture, stretched over the whole label.
class GradientLabel : public QWidget {
    Q_OBJECT
public:
    enum class Fill {
        Plain,
        Horizontal, // the first colour at the left, the second at the right
        Vertical,   // the first colour at the top, the second at the bottom
    };

    explicit GradientLabel(QWidget* parent = nullptr);

    QString text() const { return m_text; }
    // On a transparent label the widgets under it are painted afresh first, so
    // no trace of the old text stays.
    void setText(const QString& text);

    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor& color);

    QColor backgroundColor() const { return m_backgroundColor; }
    QColor gradientColor() const { return m_gradientColor; }
    Fill fill() const { return m_fill; }
    void setBackground(const QColor& color, const QColor& gradientColor, Fill fill);

    bool isTransparent() const { return m_transparent; }
    void setTransparent(bool transparent);

    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap);

    // Left, right or horizontally centred lines; Qt::AlignVCenter centres the
    // block of lines vertically, otherwise it starts at the top.
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);

    Qt::TextElideMode elideMode() const { return m_elideMode; }
    void setElideMode(Qt::TextElideMode mode);

    // Once set, the picture replaces transparency, gradient and colour.
    QPixmap picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);

protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void paintBackground(QPainter& painter) const;
    void paintText(QPainter& painter) const;
    void updateOpacity();

    QString m_text;
    QColor m_textColor;
    QColor m_backgroundColor;
    QColor m_gradientColor;
    Fill m_fill = Fill::Plain;
    bool m_transparent = false;
    bool m_wordWrap = true;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignTop;
    Qt::TextElideMode m_elideMode = Qt::ElideNone;
    QPixmap m_picture;
};
