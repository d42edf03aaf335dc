#include "records/archive.h"
#include "records/document_error.h"
#include "records/training_document.h"
#include "tests/support/record_builder.h"
#include "tests/support/test_bytes.h"

#include <gtest/gtest.h>

namespace {

Bytes store(const std::function<void(Archive&)>& write)
{
    Archive ar;
    write(ar);
    return ar.buffer();
}

std::string loadText(const Bytes& bytes, std::size_t* remaining = nullptr)
{
    Archive ar(bytes.data(), bytes.size());
    std::string text;
    ar.serialize(text);
    if (remaining)
        *remaining = ar.remaining();
    return text;
}

DocumentError::Cause loadTextFailure(const Bytes& bytes)
{
    try {
        loadText(bytes);
    } catch (const DocumentError& error) {
        return error.cause();
    }
    ADD_FAILURE() << "the text was accepted";
    return DocumentError::Cause::Generic;
}

Bytes prefix(const Bytes& bytes, std::size_t count)
{
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
}

} // namespace

TEST(Archive, IntervalBlockMatchesTheDocumentedBytes)
{
    IntervalRecord entry = record().measurement(3).run(2).from(1000000000).to(1000000600);
    const Bytes bytes = store([&](Archive& ar) { serializeDataEntry(ar, entry); });
    const Bytes expected = {0x0A, 0x00, 0x00, 0x80, 0x00, 0xCA, 0x9A, 0x3B, 0x00, 0x00, 0x00,
                            0x00, 0x0A, 0x00, 0x00, 0x80, 0x58, 0xCC, 0x9A, 0x3B, 0x00, 0x00,
                            0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x00, 0x02, 0x00};
    EXPECT_EQ(bytes, expected);

    Archive in(bytes.data(), bytes.size());
    IntervalRecord read;
    serializeDataEntry(in, read);
    EXPECT_EQ(read, entry);
    EXPECT_EQ(in.remaining(), 0u);
}

TEST(Archive, TextLengthPrefixesAtEveryBoundary)
{
    struct Case {
        std::size_t length;
        Bytes prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        std::string text(c.length, 'a');
        if (!text.empty()) {
            text.front() = 'x';
            text.back() = 'z';
        }
        const Bytes bytes = store([&](Archive& ar) { ar.serialize(text); });
        ASSERT_EQ(bytes.size(), c.prefix.size() + c.length) << c.length;
        EXPECT_EQ(prefix(bytes, c.prefix.size()), c.prefix) << c.length;
        std::size_t remaining = 1;
        EXPECT_EQ(loadText(bytes, &remaining), text) << c.length;
        EXPECT_EQ(remaining, 0u);
    }
}

TEST(Archive, ReaderAcceptsLongerPrefixesThanTheWriterUses)
{
    // "abc" with a 2-byte, a 4-byte and an 8-byte length.
    EXPECT_EQ(loadText({0xFF, 0x03, 0x00, 'a', 'b', 'c'}), "abc");
    EXPECT_EQ(loadText({0xFF, 0xFF, 0xFF, 0x03, 0x00, 0x00, 0x00, 'a', 'b', 'c'}), "abc");
    EXPECT_EQ(loadText({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x03, 0, 0, 0, 0, 0, 0, 0, 'a', 'b', 'c'}), "abc");
    // An 8-byte length above 0x7FFFFFFF is refused as a failed load, not read.
    EXPECT_EQ(loadTextFailure({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 0, 0, 0, 0}),
              DocumentError::Cause::LoadFailed);
    // A length larger than the rest of the file fails as cut short.
    EXPECT_EQ(loadTextFailure({0x05, 'a', 'b'}), DocumentError::Cause::CutShort);
    EXPECT_EQ(loadTextFailure({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}), DocumentError::Cause::CutShort);
    EXPECT_EQ(loadTextFailure({0xFF, 0x10}), DocumentError::Cause::CutShort);
}

TEST(Archive, Utf16TaggedTextIsConvertedToUtf8)
{
    // Tag FF FE FF, then 4 units: 'a', U+00E4, U+20AC and a surrogate pair for U+1F600.
    const Bytes tagged = {0xFF, 0xFE, 0xFF, 0x05, 'a', 0x00, 0xE4, 0x00, 0xAC, 0x20, 0x3D, 0xD8, 0x00, 0xDE};
    EXPECT_EQ(loadText(tagged), "a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80");
    // An unpaired surrogate becomes U+FFFD instead of invalid UTF-8.
    EXPECT_EQ(loadText({0xFF, 0xFE, 0xFF, 0x01, 0x00, 0xD8}), "\xEF\xBF\xBD");

    // After the tag, a second FFFE is a length of 65534 units, not another tag.
    Bytes longText = {0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF};
    for (int i = 0; i < 65534; ++i) {
        longText.push_back('q');
        longText.push_back(0);
    }
    EXPECT_EQ(loadText(longText), std::string(65534, 'q'));
    longText.pop_back();
    EXPECT_EQ(loadTextFailure(longText), DocumentError::Cause::CutShort);
}

TEST(Archive, TimesInBothFormsAreReadAndWrittenInTheLongForm)
{
    const Bytes shortForm = {0x01, 0x02, 0x03, 0x04, 0xFF, 0xFF, 0xFF, 0xFF};
    Archive in(shortForm.data(), shortForm.size());
    CalendarTime first = 0;
    CalendarTime second = 0;
    in.serializeTime(first);
    in.serializeTime(second);
    EXPECT_EQ(first, 0x04030201);
    EXPECT_EQ(second, -1); // sign-extended
    EXPECT_EQ(in.remaining(), 0u);

    const Bytes rewritten = store([&](Archive& ar) { ar.serializeTime(second); });
    EXPECT_EQ(rewritten, ByteWriter().time(-1).get());
    EXPECT_EQ(rewritten.size(), 12u);

    const Bytes cut = {0x0A, 0x00, 0x00, 0x80, 0x01, 0x02};
    Archive cutIn(cut.data(), cut.size());
    EXPECT_THROW(cutIn.serializeTime(first), DocumentError);
}
