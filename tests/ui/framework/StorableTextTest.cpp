#include "framework/AnsiText.h"
#include "framework/StorableText.h"

#include <gtest/gtest.h>

TEST(StorableText, LettersBecomePlainOthersAreLeftOutAndStorableTextsPassWhole)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("\u01D6 \u212B i\u0301\u0302 a\u0328\u0301"), QStringLiteral("\u00FC \u00C5 \u00ED a")},
        // No decomposition, no plain form: "Ł" is left out.
        {QStringLiteral("\u0141\u00F3d\u017A \uD55C"), QStringLiteral("\u00F3dz ")},
        {QString(QChar(0xD800)) + QStringLiteral("a\u2029"), QStringLiteral("a")},
    };
    for (const auto& [typed, kept] : cases)
        EXPECT_EQ(StorableText(typed).text(), kept) << typed.toStdString();
    std::string every;
    for (int b = 1; b < 256; ++b)
        every += static_cast<char>(b);
    EXPECT_TRUE(StorableText(FromAnsi(every)).changes().empty());
}
