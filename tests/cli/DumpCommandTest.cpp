#include "core/collection/CollectionFile.h"

#include "support/core/CompanionRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace talvane::collection;

TEST(DumpCommand, PrintsNamedFieldsAndNonEmptySpareFieldsAsUtf8Json)
{
    TempDir dir;
    EntryList entries;
    entries.push_back(std::make_unique<CBonsaiData>());
    (*entries[0])[CBonsaiData::Name] = "\xC9rable \"n\xB0 1\"";
    (*entries[0])[CBonsaiData::History] = "line\r\nline";
    (*entries[0])[12] = "spare twelve";
    (*entries[0])[114] = "\x80";
    entries.push_back(std::make_unique<CBonsaiData>());
    const std::string id = "0f8fad5b-d9cb-469f-a165-70867728950e";
    (*entries[1])[113] = id;
    (*entries[1])[112] = "Banc \xE9t\xE9\tgreenhouse\t6";
    ASSERT_FALSE(saveCollectionFile(dir / "trees.tvn", entries));

    const CompanionRun run = runCompanion(dir, "dump trees.tvn");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    ASSERT_EQ(json["entries"].size(), 2u);
    const auto& first = json["entries"][0];
    EXPECT_EQ(first.size(), 55u) << "52 named fields, the spare object, the id and the place";
    EXPECT_EQ(first["Name"], "\u00C9rable \"n\u00B0 1\"");
    EXPECT_EQ(first["History"], "line\r\nline");
    EXPECT_EQ(first["IntExt"], "-1");
    EXPECT_EQ(first["Photo5Description"], "");
    EXPECT_EQ(first["spare"], (nlohmann::json{{"12", "spare twelve"}, {"114", "\u20AC"}}));
    EXPECT_EQ(first["id"], "");
    EXPECT_TRUE(first["place"].is_null());
    EXPECT_EQ(json["entries"][1]["id"], id) << "the identifier, and the field as stored among the spare ones";
    EXPECT_EQ(json["entries"][1]["place"], (nlohmann::json{{"name", "Banc \u00E9t\u00E9"}, {"kind", "greenhouse"}, {"shelter", 6}}));
    EXPECT_EQ(json["entries"][1]["spare"], (nlohmann::json{{"112", "Banc \u00E9t\u00E9\tgreenhouse\t6"}, {"113", id}}));
}

TEST(DumpCommand, AnInvalidFileGivesOneLineOnStandardErrorAndNothingElse)
{
    TempDir dir;
    writeFileBytes(dir / "bad.tvn", std::string("\xFF\xFF\xFF\xFF\xFF\xFF", 6) + std::string(14, '\0'));
    for (const char* file : {"bad.tvn", "missing.tvn"}) {
        const CompanionRun run = runCompanion(dir, std::string("dump ") + file);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind(std::string("talvane-cli: ") + file + ": ", 0), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
    }
}
