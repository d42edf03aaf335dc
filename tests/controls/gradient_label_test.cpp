#include "controls/gradient_label.h"

#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

const QColor kLeft(10, 36, 106);
const QColor kRight(163, 199, 238);

QImage painted(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool hasPixelOf(const QImage& image, const QRect& area, const QColor& color)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == color)
                return true;
    return false;
}

TEST(GradientLabel, TheGradientRunsFromTheFirstColourToTheSecondAcrossOrDown)
{
    GradientLabel label;
    label.resize(200, 30);

    label.setBackground(kLeft, kRight, GradientLabel::Fill::Horizontal);
    QImage image = painted(label);
    EXPECT_EQ(image.pixelColor(0, 15), kLeft);
    EXPECT_EQ(image.pixelColor(199, 15), kRight);
    EXPECT_EQ(image.pixelColor(0, 0), image.pixelColor(0, 29));
    const QColor middle = image.pixelColor(100, 15);
    EXPECT_GT(middle.green(), kLeft.green());
    EXPECT_LT(middle.green(), kRight.green());

    label.setBackground(kLeft, kRight, GradientLabel::Fill::Vertical);
    image = painted(label);
    EXPECT_EQ(image.pixelColor(100, 0), kLeft);
    EXPECT_EQ(image.pixelColor(100, 29), kRight);
    EXPECT_EQ(image.pixelColor(0, 0), image.pixelColor(199, 0));

    label.setBackground(kLeft, kRight, GradientLabel::Fill::Plain);
    image = painted(label);
    EXPECT_EQ(image.pixelColor(0, 0), kLeft);
    EXPECT_EQ(image.pixelColor(199, 29), kLeft);
}

TEST(GradientLabel, ATransparentLabelShowsItsTextOnTheBannerAndLeavesNoTraceOfTheOldText)
{
    QWidget form;
    form.resize(300, 60);
    auto* bannerLabel = new GradientLabel(&form);
    bannerLabel->setGeometry(0, 0, 300, 60);
    bannerLabel->setBackground(kLeft, kRight, GradientLabel::Fill::Horizontal);
    auto* label = new GradientLabel(&form);
    label->setGeometry(10, 10, 280, 40);
    label->setTransparent(true);
    QFont font = label->font();
    font.setPixelSize(20);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    label->setFont(font);
    label->setTextColor(Qt::white);
    label->setText(QStringLiteral("Recording"));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    // What the window shows on the screen, not a fresh rendering of it.
    const auto onScreen = [&form] {
        QApplication::processEvents();
        return form.screen()->grabWindow(form.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    };
    const QImage banner = painted(*bannerLabel);
    QImage image = onScreen();
    EXPECT_TRUE(hasPixelOf(image, QRect(10, 10, 280, 40), Qt::white));
    // Beside the text the banner's gradient shows through.
    EXPECT_EQ(image.pixelColor(289, 49), banner.pixelColor(289, 49));

    label->setText(QStringLiteral("."));
    image = onScreen();
    EXPECT_FALSE(hasPixelOf(image, QRect(30, 10, 260, 40), Qt::white));
    EXPECT_EQ(image.pixelColor(100, 25), banner.pixelColor(100, 25));
}

TEST(GradientLabel, ASingleDroppedBmpFileBecomesTheStretchedBackground)
{
    QTemporaryDir folder;
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixelColor(0, 0, Qt::green);
    picture.setPixelColor(1, 0, Qt::blue);
    const QString bitmap = folder.filePath(QStringLiteral("calm.BMP"));
    const QString png = folder.filePath(QStringLiteral("calm.png"));
    ASSERT_TRUE(picture.save(bitmap, "BMP"));
    ASSERT_TRUE(picture.save(png, "PNG"));

    GradientLabel label;
    label.resize(100, 20);
    label.setBackground(kLeft, kRight, GradientLabel::Fill::Horizontal);
    const auto drop = [&label](const QList<QUrl>& urls) {
        QMimeData mime;
        mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(50, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&label, &enter);
        QDropEvent dropEvent(QPointF(50, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&label, &dropEvent);
    };

    drop({QUrl::fromLocalFile(png)});
    drop({QUrl::fromLocalFile(bitmap), QUrl::fromLocalFile(bitmap)});
    EXPECT_EQ(painted(label).pixelColor(0, 10), kLeft);

    drop({QUrl::fromLocalFile(bitmap)});
    const QImage image = painted(label);
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(90, 10), QColor(Qt::blue));
    EXPECT_EQ(label.size(), QSize(100, 20));
}

} // namespace
