#include "controls/line_breaker.h"

#include <gtest/gtest.h>

namespace {

// Every character ten pixels wide: widths in the tests count characters.
QStringList lines(const QString& text, int width)
{
    return LineBreaker([](const QString& part) { return int(part.size()) * 10; }).breakLines(text, width);
}

TEST(LineBreaker, ABannerTextNarrowerThanItsLabelBreaksAfterTheLastWordThatFits)
{
    const QString waiting = QStringLiteral("Waiting for mouse-start (left mouse button) ...");
    EXPECT_EQ(lines(waiting, 250), QStringList({"Waiting for mouse-start", "(left mouse button) ..."}));
    EXPECT_EQ(lines(waiting, 1000), QStringList({waiting}));
    // The character that no longer fits is a blank: the next line starts at the next word.
    EXPECT_EQ(lines("abcde fgh", 50), QStringList({"abcde", "fgh"}));
    // The last character that fits is a blank: it stays at the end of its line.
    EXPECT_EQ(lines("ab cd", 30), QStringList({"ab ", "cd"}));
}

TEST(LineBreaker, AWordWiderThanTheLabelIsCutWhereItNoLongerFits)
{
    EXPECT_EQ(lines("Concentration", 50), QStringList({"Conce", "ntrat", "ion"}));
    EXPECT_EQ(lines("in Sikkhati", 50), QStringList({"in", "Sikkh", "ati"}));
    // Narrower than one character: one character a line rather than no end.
    EXPECT_EQ(lines("abc", 5), QStringList({"a", "b", "c"}));
}

TEST(LineBreaker, CarriageReturnAndLineFeedInEitherOrderEndALine)
{
    EXPECT_EQ(lines("one\r\ntwo\n\rthree", 1000), QStringList({"one", "two", "three"}));
    EXPECT_EQ(lines("one\r\n\r\ntwo\r\n", 1000), QStringList({"one", "", "two"}));
    // A lone one is not a line break and stays in the text.
    EXPECT_EQ(lines("one\ntwo\rthree", 1000), QStringList({"one\ntwo\rthree"}));
    // A pair is found before its first character is measured against the width.
    EXPECT_EQ(lines("abc\r\ndef", 30), QStringList({"abc", "def"}));
}

} // namespace
