#include "core/search/WrittenDate.h"

#include <gtest/gtest.h>

using talvane::search::readWrittenDate;
using talvane::search::WrittenDate;

TEST(WrittenDate, ReadsTheDatesGrowersWriteInEnglishAndFrench)
{
    const std::pair<const char*, WrittenDate> read[] = {
        {"12 March 2016", {2016, 3, 12}},
        {"  12 mar. 2016 ", {2016, 3, 12}},
        {"March 12, 2016", {2016, 3, 12}},
        {"12th March 2016", {2016, 3, 12}},
        {"Saturday 12-Mar-2016", {2016, 3, 12}},
        {"1er ao\xFBt 2014", {2014, 8, 1}},
        {"1ER AOUT 2014", {2014, 8, 1}},
        {"samedi 12\xA0" "d\xE9" "c. 2015", {2015, 12, 12}},
        {"29 February 2016", {2016, 2, 29}},
        {"June 2014", {2014, 6, 0}},
        {"juin 2014", {2014, 6, 0}},
        {"F\xC9VRIER 2014", {2014, 2, 0}},
        {"Spring 2010", {2010, 4, 0}},
        {"spring of 2010", {2010, 4, 0}},
        {"au printemps 2010", {2010, 4, 0}},
        {"l\x92\xE9t\xE9 2011", {2011, 7, 0}},
        {"Autumn 2012", {2012, 10, 0}},
        {"hiver 2013", {2013, 1, 0}},
        {"2014", {2014, 0, 0}},
        {"2014-06-01", {2014, 6, 1}},
        {"2014/6/1", {2014, 6, 1}},
        {"2014-06", {2014, 6, 0}},
        {"06/2014", {2014, 6, 0}},
        {"6.2014", {2014, 6, 0}},
        {"14/04/2019", {2019, 4, 14}},
        {"01/06/2014", {2014, 6, 1}},
        {"04/14/2019", {2019, 4, 14}},
        {"14.04.19", {2019, 4, 14}},
        {"3-5-87", {1987, 5, 3}},
    };
    for (const auto& [text, date] : read) {
        const auto got = readWrittenDate(text);
        ASSERT_TRUE(got) << text;
        EXPECT_EQ(*got, date) << text;
    }
    // Sorted by these, a year comes before its months, a month before its days.
    EXPECT_LT(*readWrittenDate("2014"), *readWrittenDate("January 2014"));
    EXPECT_LT(*readWrittenDate("June 2014"), *readWrittenDate("1 June 2014"));
    EXPECT_LT(*readWrittenDate("Winter 2010"), *readWrittenDate("Spring 2010"));
    EXPECT_LT(*readWrittenDate("31/12/2009"), *readWrittenDate("Winter 2010"));
}

TEST(WrittenDate, ReadsNothingFromTextsThatSayMoreOrLessThanADate)
{
    for (const char* text : {
             "", "   ", "March", "Spring", "12 March", "about 2014", "12 March 2016 at the show", "Marchh 2016",
             "31 June 2014", "29 February 2015", "0 May 2014", "32 May 2014", "2016th March", "12th 2016",
             "2014-13-01", "2014-06-31", "2014-00", "13/13/2014", "00/2014", "2014-06/01", "06 2014", "1/2/3",
             "06/14", "2014-6-1-3", "12345", "999", "0999", "99999999999999999999", "March 2016 2017",
             "June, 12 2014 2015", "12 March 2016?", "Fr\xFChling 2010", "2014 June", "spring 12 2010", "6 2014 June",
             "12,03,2016", "\x01" "2014", "Juni 2014",
         })
        EXPECT_FALSE(readWrittenDate(text)) << '"' << text << '"';
}
