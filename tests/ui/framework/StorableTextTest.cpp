#include "framework/AnsiText.h"
#include "framework/StorableText.h"

#include <gtest/gtest.h>

TEST(StorableText, LettersBecomePlainOthersAreLeftOutAndStorableTextsPassWhole)
{
    struct Case {
        QString typed;
        QString kept;
    };
    const Case cases[] = {
        {QStringLiteral("\u014Cmiya \u76C6\u683D"), QStringLiteral("Omiya ")},
        {QStringLiteral("D\u0105b \u015Aliwa"), QStringLiteral("Dab Sliwa")},
        // A letter without a decomposition has no plain form.
        {QStringLiteral("\u0141\u00F3d\u017A"), QStringLiteral("\u00F3dz")},
        {QStringLiteral("\u01D6 \u212B e\u0301 a\u0328\u0301"), QStringLiteral("\u00FC \u00C5 \u00E9 a")},
        {QStringLiteral("\U0001F333\uD55C\u0301i\u0301\u0302"), QStringLiteral("\u00ED")},
        {QString(QChar(0xD800)) + QStringLiteral("a\u2029"), QStringLiteral("a")},
    };
    for (const Case& c : cases) {
        const StorableText storable(c.typed);
        EXPECT_EQ(storable.text(), c.kept) << c.typed.toStdString();
        EXPECT_EQ(ToAnsi(storable.text()).find('?'), std::string::npos) << c.typed.toStdString();
    }
    QString every;
    for (int b = 1; b < 256; ++b)
        every += FromAnsi(std::string(1, static_cast<char>(b)));
    const StorableText whole(every);
    EXPECT_TRUE(whole.changes().empty());
    EXPECT_EQ(whole.message(), QString());

    const StorableText mixed(QStringLiteral("\u015A%1\U0001F333b\u00E0"));
    EXPECT_EQ(mixed.message(), QStringLiteral("\u201C\U0001F333\u201D cannot be stored in a Talvane collection"));
    EXPECT_EQ(StorableText(QStringLiteral("%1 \u0105\u015A")).message(),
              QStringLiteral("\u201C\u0105\u201D was changed to \u201Ca\u201D: a Talvane collection cannot store \u201C\u0105\u201D"));
    const int positions[] = {0, 1, 3, 4, 5, 6, 7};
    const int mapped[] = {0, 1, 3, 3, 3, 4, 5};
    for (std::size_t i = 0; i < std::size(positions); ++i)
        EXPECT_EQ(mixed.mapPosition(positions[i]), mapped[i]) << positions[i];
}
