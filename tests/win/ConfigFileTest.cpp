// What config.ini can keep of the owner's message: the settings dialog
// refuses what its code page would not give back as it was.
#include <gtest/gtest.h>

#include "app/config/ConfigFile.h"

TEST(ConfigFile, CodePageHoldsOnlyWhatComesBackAsItWas) {
    // Code page 936, the one of the systems the program is for: Chinese,
    // full-width signs, the letters of pinyin, Greek and Cyrillic.
    for (const wchar_t* held : {L"", L"午饭，14:00 回来。急事请拨 138 0013 8000！", L"ā é ǚ", L"Ωж"})
        EXPECT_TRUE(CodePageHolds(936, held)) << testing::PrintToString(std::wstring(held));
    // Not Thai, Korean, nor anything beyond the Basic Multilingual Plane.
    for (const wchar_t* lost : {L"\u0E01", L"\uD55C", L"a\U0001F600"})
        EXPECT_FALSE(CodePageHolds(936, lost)) << testing::PrintToString(std::wstring(lost));
    // Another system's code page: no Chinese, and no letter that would come
    // back as its nearest one.
    EXPECT_TRUE(CodePageHolds(1252, L"café"));
    EXPECT_FALSE(CodePageHolds(1252, L"午饭"));
    EXPECT_FALSE(CodePageHolds(1252, L"\u0101"));
}
