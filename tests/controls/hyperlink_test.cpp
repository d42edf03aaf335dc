#include "controls/hyperlink.h"

#include "controls/text_contrast.h"

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QKeyEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class FakeOpener : public LinkOpener {
public:
    void open(const QString& address, Done done) override
    {
        opened.append(address);
        done(result);
    }

    Result result;
    QStringList opened;
};

bool shows(Hyperlink& link, const QColor& color)
{
    const QImage image = link.grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color)
                return true;
    return false;
}

class HyperlinkTest : public testing::Test {
protected:
    HyperlinkTest()
        : link(QStringLiteral("www.holmvard.com"), QStringLiteral("https://www.holmvard.com/jhavari-training"))
    {
        QFont font = link.font();
        font.setStyleStrategy(QFont::NoAntialias);
        link.setFont(font);
        link.setOpener(&opener);
        link.setMessageFunction([this](QWidget*, const QString& text) { messages.append(text); });
        link.move(100, 100);
        link.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&link));
    }

    // Moves the pointer onto the link, to a point it did not rest on before.
    void hover()
    {
        const QPoint point = link.rect().center() + QPoint(moves++ % 3, 0);
        QCursor::setPos(link.mapToGlobal(point));
        QTest::mouseMove(&link, point);
    }

    int moves = 0;

    FakeOpener opener;
    Hyperlink link;
    QStringList messages;
};

TEST_F(HyperlinkTest, TheTextIsRedUnderThePointerAndBlueOrPurpleAfterItLeaves)
{
    EXPECT_EQ(link.toolTip(), "https://www.holmvard.com/jhavari-training");
    EXPECT_TRUE(shows(link, Hyperlink::kLinkColor));
    EXPECT_FALSE(shows(link, Hyperlink::kHoverColor));

    hover();
    EXPECT_TRUE(shows(link, Hyperlink::kHoverColor));
    EXPECT_FALSE(shows(link, Hyperlink::kLinkColor));

    QCursor::setPos(link.mapToGlobal(QPoint(-50, -50)));
    QTest::qWait(2 * Hyperlink::kHoverCheckMs);
    EXPECT_TRUE(shows(link, Hyperlink::kLinkColor));
    EXPECT_FALSE(shows(link, Hyperlink::kHoverColor));

    hover();
    QTest::mouseClick(&link, Qt::LeftButton, {}, link.rect().center());
    EXPECT_EQ(opener.opened, QStringList({"https://www.holmvard.com/jhavari-training"}));
    EXPECT_TRUE(link.isVisited());
    EXPECT_TRUE(shows(link, Hyperlink::kVisitedColor));
    EXPECT_TRUE(messages.isEmpty());

    hover();
    EXPECT_TRUE(shows(link, Hyperlink::kHoverColor));
    QCursor::setPos(link.mapToGlobal(QPoint(-50, -50)));
    QTest::qWait(2 * Hyperlink::kHoverCheckMs);
    EXPECT_TRUE(shows(link, Hyperlink::kVisitedColor));
}

TEST_F(HyperlinkTest, AnAddressThatCannotBeOpenedTellsWhatFailed)
{
    const std::pair<LinkOpener::Result, QString> cases[] = {
        {{LinkOpener::Outcome::NoHandler}, "There is no application associated\nwith the given filename extension."},
        {{LinkOpener::Outcome::HandlerNotFound}, "The specified file was not found."},
        {{LinkOpener::Outcome::HandlerFailed}, "The filename association is\nincomplete or invalid."},
        {{LinkOpener::Outcome::OtherError, 4}, "Unknown Error (4) occurred."},
    };
    link.setVisited(true);
    for (const auto& [result, reason] : cases) {
        opener.result = result;
        messages.clear();
        QTest::mouseClick(&link, Qt::LeftButton, {}, link.rect().center());
        EXPECT_EQ(messages, QStringList({"Unable to open hyperlink:\n\n" + reason}));
        EXPECT_FALSE(link.isVisited());
    }
}

TEST_F(HyperlinkTest, AScreenReaderMeetsALinkAndTheKeyboardOpensIt)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&link);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Link);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("www.holmvard.com"));
    EXPECT_EQ(accessible->text(QAccessible::Description), link.url());
    EXPECT_FALSE(accessible->state().traversed);

    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(opener.opened, QStringList{link.url()});
    EXPECT_TRUE(accessible->state().traversed);
    QTest::keyClick(&link, Qt::Key_Return);
    QTest::keyClick(&link, Qt::Key_Space);
    EXPECT_EQ(opener.opened.size(), 3);
    // A key held down opens the address once, not once per repeat.
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&link, &repeat);
    QApplication::sendEvent(&link, &repeat);
    EXPECT_EQ(opener.opened.size(), 3);
}

TEST(Hyperlink, UnderlinedAlwaysOrOnlyUnderThePointer)
{
    // The underline is the one stretch of link colour wider than any letter.
    const auto underlined = [](Hyperlink& link) {
        const QImage image = link.grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            int run = 0;
            for (int x = 0; x < image.width(); ++x) {
                run = image.pixelColor(x, y) == Hyperlink::kLinkColor ? run + 1 : 0;
                if (run > image.width() / 2)
                    return true;
            }
        }
        return false;
    };
    Hyperlink link(QStringLiteral("www.holmvard.com"));
    link.fitToText();
    EXPECT_FALSE(underlined(link));
    link.setUnderline(Hyperlink::Underline::Always);
    EXPECT_TRUE(underlined(link));
    link.setUnderline(Hyperlink::Underline::Never);
    EXPECT_FALSE(underlined(link));
}

TEST(Hyperlink, OnADarkWindowTheLinkColoursTurnLighterUntilTheyStandOut)
{
    Hyperlink link(QStringLiteral("www.holmvard.com"));
    QFont font = link.font();
    font.setStyleStrategy(QFont::NoAntialias);
    link.setFont(font);
    link.fitToText();
    QPalette dark = link.palette();
    dark.setColor(QPalette::Window, QColor(49, 54, 59));
    link.setPalette(dark);
    for (const bool visited : {false, true}) {
        link.setVisited(visited);
        const QColor stated = visited ? Hyperlink::kVisitedColor : Hyperlink::kLinkColor;
        EXPECT_TRUE(shows(link, readableOn(stated, dark.color(QPalette::Window), Hyperlink::kReadableContrast).rgb()));
        EXPECT_FALSE(shows(link, stated)) << visited;
    }
}

TEST(Hyperlink, ARightAlignedLinkKeepsItsRightEdgeWhenFittedToItsText)
{
    QWidget dialog;
    auto* right = new Hyperlink(QStringLiteral("www.holmvard.com"), {}, &dialog);
    right->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    right->setGeometry(10, 10, 300, 40);
    auto* left = new Hyperlink(QStringLiteral("www.holmvard.com"), {}, &dialog);
    left->setGeometry(10, 60, 300, 40);

    right->fitToText();
    left->fitToText();
    const QSize text = right->sizeHint();
    EXPECT_LT(text.width(), 300);
    EXPECT_EQ(right->geometry(), QRect(QPoint(310 - text.width(), 29 - (text.height() - 1) / 2), text));
    EXPECT_EQ(left->geometry(), QRect(QPoint(10, 60), text));
}

} // namespace
