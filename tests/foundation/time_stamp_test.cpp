#include "foundation/time_stamp.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/clock.h"
#include "tests/test_support.h"

namespace {

// Noon UTC, so that every time zone from -11 to +11 hours sees the same date.
int64_t gNow = 0;
int64_t FixedClock() { return gNow; }

struct ClockScope {
    explicit ClockScope(int64_t seconds) : previous(SetClockForTest(FixedClock)) { gNow = seconds; }
    ~ClockScope() { SetClockForTest(previous); }
    tClockFunction previous;
};

constexpr int64_t k5March2014Noon = 1394020800;
constexpr int64_t k31December1999Noon = 946641600;
constexpr int64_t k1January2040Noon = 2209032000;  // past the 32-bit range

// A calendar record filled by hand: Wednesday 5 March 2014, 09:07:02.
std::tm March5() {
    std::tm t = {};
    t.tm_sec = 2;
    t.tm_min = 7;
    t.tm_hour = 9;
    t.tm_mday = 5;
    t.tm_mon = 2;
    t.tm_year = 114;
    t.tm_wday = 3;
    t.tm_yday = 63;
    return t;
}

std::u16string S(const char16_t *t) { return std::u16string(t); }

}  // namespace

TEST(TimeStamp, SetNowTakesTheClockAndItsLocalDate) {
    ClockScope clock(k5March2014Noon);
    cTimeStamp stamp;
    EXPECT_EQ(stamp.Seconds(), k5March2014Noon);
    EXPECT_EQ(stamp.Calendar().tm_year, 114);
    EXPECT_EQ(stamp.Calendar().tm_mon, 2);
    EXPECT_EQ(stamp.Calendar().tm_mday, 5);
    EXPECT_EQ(stamp.Calendar().tm_wday, 3);
    EXPECT_EQ(stamp.Calendar().tm_yday, 63);
}

TEST(TimeStamp, FormatOfTheDatePattern) {
    const struct { int64_t now; const char16_t *date; } cases[] = {
        {k5March2014Noon, u"_14_03_05"},
        {k31December1999Noon, u"_99_12_31"},
        {k1January2040Noon, u"_40_01_01"},
    };
    for (const auto &c : cases) {
        ClockScope clock(c.now);
        cTimeStamp stamp;
        EXPECT_EQ(S(stamp.Format(cTimeStamp::kDatePattern)), c.date);
    }
}

TEST(TimeStamp, FormatWithoutPatternIsTheAscTimeForm) {
    ClockScope clock(k5March2014Noon);
    std::u16string text = cTimeStamp().Format(nullptr);
    ASSERT_EQ(text.size(), 25u);
    EXPECT_EQ(text.substr(0, 11), u"Wed Mar  5 ");
    EXPECT_EQ(text.substr(19), u" 2014\n");
    EXPECT_EQ(FormatAscTime(March5()), u"Wed Mar  5 09:07:02 2014\n");
    std::tm later = March5();
    later.tm_mday = 25;
    later.tm_hour = 23;
    EXPECT_EQ(FormatAscTime(later), u"Wed Mar 25 23:07:02 2014\n");
}

TEST(TimeStamp, PatternConversionsOfTheCLocale) {
    const struct { const char16_t *pattern, *text; } cases[] = {
        {u"%a %A %b %B", u"Wed Wednesday Mar March"},
        {u"%d.%m.%y %Y", u"05.03.14 2014"},
        {u"%H:%M:%S %I %p", u"09:07:02 09 AM"},
        {u"%j %w %U %W", u"064 3 09 09"},
        {u"%c", u"Wed Mar  5 09:07:02 2014"},
        {u"%x %X", u"03/05/14 09:07:02"},
        {u"100%% %q", u"100% %q"},  // an unknown conversion stands as it is
        {u"\u00E9t\u00E9 %d", u"\u00E9t\u00E9 05"},
        {u"trailing %", u"trailing %"},
        {u"", u""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatCalendar(March5(), c.pattern, 100), c.text) << test::Narrow(c.pattern);

    std::tm evening = March5();
    evening.tm_hour = 0;
    EXPECT_EQ(FormatCalendar(evening, u"%I %p", 100), u"12 AM");
    evening.tm_hour = 13;
    EXPECT_EQ(FormatCalendar(evening, u"%I %p", 100), u"01 PM");
}

TEST(TimeStamp, OutputBeyondItsBufferGivesAnEmptyText) {
    ClockScope clock(k5March2014Noon);
    cTimeStamp stamp;
    // Room for the pattern's length + 39 characters.
    std::u16string fits = u"%A%A%A%A%A";  // 10 + 39 = 49 >= 5 x 9 = 45
    EXPECT_EQ(S(stamp.Format(fits.c_str())), u"WednesdayWednesdayWednesdayWednesdayWednesday");
    std::u16string tooLong = u"%c%c%c";  // 6 + 39 = 45 < 3 x 24 = 72
    EXPECT_EQ(S(stamp.Format(tooLong.c_str())), u"");
    EXPECT_EQ(FormatCalendar(March5(), u"%Y", 4), u"2014");
    EXPECT_EQ(FormatCalendar(March5(), u"%Y", 3), u"");
}

TEST(TimeStamp, MakeDatedNameTable) {
    const struct {
        const char16_t *name, *extension, *pattern, *result;
    } cases[] = {
        {u"Log", u"txt", nullptr, u"Log_14_03_05.txt"},
        {u"Log", u".txt", nullptr, u"Log_14_03_05.txt"},
        {nullptr, nullptr, nullptr, u"_14_03_05"},
        {u"Log", u"", nullptr, u"Log_14_03_05."},
        {u"PelmoraLog", u"txt", nullptr, u"PelmoraLog_14_03_05.txt"},
        {u"Log", u"txt", u"-%Y", u"Log-2014.txt"},
    };
    ClockScope clock(k5March2014Noon);
    for (const auto &c : cases) {
        cTimeStamp stamp;
        EXPECT_EQ(S(stamp.MakeDatedName(c.name, c.extension, c.pattern)), c.result);
    }
}

TEST(TimeStamp, MakeDatedNameRefreshesTheStamp) {
    cTimeStamp stamp;
    ClockScope clock(k31December1999Noon);
    EXPECT_EQ(S(stamp.MakeDatedName(u"Log", u"txt", nullptr)), u"Log_99_12_31.txt");
    EXPECT_EQ(stamp.Seconds(), k31December1999Noon);
}
