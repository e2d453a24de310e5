// A point in time held as calendar seconds and as its local date and time;
// formats itself and builds dated file names ("PelmoraLog_14_03_05.txt").
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

class cTimeStamp {
public:
    // The pattern of dated names: two-digit year, month and day.
    static constexpr const char16_t *kDatePattern = u"_%y_%m_%d";

    cTimeStamp() { SetNow(); }

    void SetNow();
    // The calendar fields formatted by a strftime pattern (null: the asctime
    // form "Wed Mar  5 09:07:02 2014" and a line feed), as a temporary text.
    const char16_t *Format(const char16_t *pattern) const;
    // Refreshes the stamp, then: name, Format(pattern or the date pattern),
    // and the extension with one dot before it.
    const char16_t *MakeDatedName(const char16_t *name, const char16_t *extension, const char16_t *pattern);

    int64_t Seconds() const { return seconds; }
    const std::tm &Calendar() const { return calendar; }

private:
    // Seconds since 1 January 1970, 00:00 UTC.  Kept 64 bits wide so that
    // dates after 2038 still come out right.
    int64_t seconds = 0;
    // Local time of seconds.
    std::tm calendar = {};
};

// strftime of the "C" locale over calendar fields, written out here so that
// both builds give the same text (the Windows C library writes "%c" and the
// asctime day differently).  At most maxChars characters; an output that
// does not fit gives an empty text, as strftime answers 0 then.  A conversion
// not listed in the source is copied as it stands.
std::u16string FormatCalendar(const std::tm &calendar, const char16_t *pattern, size_t maxChars);
// The asctime form: "Www Mmm dd hh:mm:ss yyyy" and a line feed.
std::u16string FormatAscTime(const std::tm &calendar);
// The local breakdown of a calendar time.
std::tm LocalCalendar(int64_t seconds);
