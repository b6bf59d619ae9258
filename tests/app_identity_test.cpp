// The program's identity texts: the time stamp form, the caption and the About lines.
#include "app_identity.h"

#include <gtest/gtest.h>

#include <ctime>

namespace tarvik {
namespace {

std::tm moment(int year, int month, int day, int weekday, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_wday = weekday;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

TEST(AppIdentity, TimeStampForm) {
    EXPECT_EQ(time_stamp_text(moment(2007, 7, 9, 1, 17, 51, 27)), "Mon Jul  9 17:51:27 2007");
    EXPECT_EQ(time_stamp_text(moment(2026, 12, 16, 3, 1, 2, 3)), "Wed Dec 16 01:02:03 2026");
}

TEST(AppIdentity, MainCaption) {
    EXPECT_EQ(main_caption_at(moment(2026, 12, 6, 0, 21, 30, 33)),
              "   Tarvik(0.68.0.0)Sun Dec  6 21:30:33 2026\n");
    EXPECT_TRUE(main_caption().starts_with("   Tarvik(0.68.0.0)"));
}

TEST(AppIdentity, BuildStampAndAboutTexts) {
    // The stamp reads back as a time and is written again the same way.
    std::tm parsed{};
    const char* end = strptime(build_timestamp().c_str(), "%a %b %e %H:%M:%S %Y", &parsed);
    ASSERT_NE(end, nullptr) << build_timestamp();
    EXPECT_EQ(*end, '\0') << build_timestamp();
    EXPECT_EQ(time_stamp_text(parsed), build_timestamp());
    EXPECT_EQ(about_version_text(), "Tarvik Version 0.68.0.0");
    EXPECT_EQ(about_build_date_text(), "Build date: " + build_timestamp());
}

}  // namespace
}  // namespace tarvik
