#include <gtest/gtest.h>

#include <QString>

#include "files/ElementFileFormat.h"
#include "files/MessageExcerpt.h"

namespace channel {

namespace {

TEST(MessageExcerptTest, QuotesAtMostABoundedLine) {
    const QString pair = QStringLiteral("😀");
    const struct {
        QString text;
        QString excerpt;
    } cases[] = {
        {QStringLiteral("colour"), QStringLiteral("colour")},
        {QString(40, u'键'), QString(40, u'键')},
        {QStringLiteral("a\nb\tc\u2028d"), QStringLiteral("a b c d")},
        {QString(qsizetype{1} << 20, u'k'), QString(32, u'k') + "…（共 1048576 个字符）"},
        {QString(31, u'a') + pair + QString(20, u'b'), QString(31, u'a') + "…（共 53 个字符）"},
    };
    for (const auto& c : cases) EXPECT_EQ(MessageExcerpt(c.text), c.excerpt);
}

// A file with a 1 MiB unknown key is refused by a message a box can show.
TEST(MessageExcerptTest, ARefusalNamesAHugeKeyByAnExcerpt) {
    const QByteArray key(qsizetype{1} << 20, 'k');
    const QByteArray bytes = R"({"format": "hydraulic-elements-table", ")" + key + R"(": 1})";
    const auto decoded = element_file::Decode(bytes, 11, 12);
    ASSERT_FALSE(decoded.ok());
    EXPECT_LT(decoded.reason().size(), 80);
}

}  // namespace

}  // namespace channel
