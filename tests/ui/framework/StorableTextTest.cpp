#include "ui/framework/AnsiText.h"
#include "ui/framework/StorableText.h"
#include "core/collection/BonsaiData.h"
#include "core/text/StorableForm.h"
#include "core/text/Windows1252.h"

#include <gtest/gtest.h>

// A stored field reaches a widget only through fromAnsi: Qt's UTF-8 readers refuse it.
template <typename Field>
concept QtReadsAsUnicode = requires(const Field& field) { QString::fromStdString(field); } ||
                           requires(const Field& field) { QString::fromUtf8(field); } ||
                           requires(const Field& field) { QString::fromLocal8Bit(field); };
static_assert(!QtReadsAsUnicode<CBonsaiData::FieldText>);
static_assert(QtReadsAsUnicode<std::string>);

TEST(StorableText, AFieldIsReadAndWrittenInItsCodePage)
{
    CBonsaiData entry;
    entry[CBonsaiData::Name] = "Ch\xEAne \x80";
    EXPECT_EQ(fromAnsi(entry[CBonsaiData::Name]), QStringLiteral("Ch\u00EAne \u20AC"));
    entry[CBonsaiData::Name] = toAnsi(QStringLiteral("\u00C9rable"));
    EXPECT_EQ(entry[CBonsaiData::Name], "\xC9rable");
}

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
    EXPECT_TRUE(StorableText(fromAnsi(every)).changes().empty());
}

// Text typed on a phone is kept as the window keeps what is typed in it: the core's
// filter gives the same text for every character and for characters with marks.
TEST(StorableText, ThePhonesFilterKeepsWhatTheWindowKeeps)
{
    std::vector<QString> typed = {QStringLiteral("\u01D6 \u212B i\u0301\u0302 a\u0328\u0301"),
                                  QStringLiteral("e\u0301t\u00E9 \u0141\u00F3d\u017A \uD55C \U0001F333 \u6811 \u03A9 ok"),
                                  QStringLiteral("\u014Csaka \u1E9E \u0218tefan n\u0303")};
    for (char32_t point = 0x80; point < 0x30000; ++point)
        if (point < 0xD800 || point > 0xDFFF)
            typed.push_back(QString::fromUcs4(&point, 1));
    int differing = 0;
    for (const QString& text : typed) {
        const StorableText window(text);
        const talvane::text::StorableForm phone = talvane::text::makeStorable(text.toStdString());
        if (fromAnsi(phone.cp1252) != window.text() || phone.changes.size() != window.changes().size()) {
            ADD_FAILURE() << "U+" << std::hex << text.toUcs4().front() << ": the window keeps \""
                          << window.text().toStdString() << "\", the phone \"" << talvane::text::cp1252ToUtf8(phone.cp1252) << "\"";
            if (++differing == 10)
                break;
        }
    }
}
