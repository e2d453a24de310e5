#include "foundation/time_stamp.h"

#include "foundation/char_string.h"
#include "foundation/clock.h"
#include "foundation/text_util.h"

namespace {
const char16_t *const kDays[] = {u"Sunday", u"Monday", u"Tuesday", u"Wednesday",
                                 u"Thursday", u"Friday", u"Saturday"};
const char16_t *const kMonths[] = {u"January", u"February", u"March", u"April", u"May", u"June",
                                   u"July", u"August", u"September", u"October", u"November", u"December"};

// Field values are taken modulo their range so that a broken record never
// indexes outside the name tables.
const char16_t *DayName(const std::tm &t) { return kDays[((t.tm_wday % 7) + 7) % 7]; }
const char16_t *MonthName(const std::tm &t) { return kMonths[((t.tm_mon % 12) + 12) % 12]; }

std::u16string Abbrev(const char16_t *name) { return std::u16string(name, 3); }

std::u16string Padded(int64_t value, int width, char16_t fill = u'0') {
    std::u16string s = FormatInt(value);
    while (int(s.size()) < width) s.insert(s.begin(), fill);
    return s;
}

int Hour12(const std::tm &t) {
    int h = t.tm_hour % 12;
    return h == 0 ? 12 : h;
}

void AppendConversion(std::u16string &out, const std::tm &t, char16_t c) {
    switch (c) {
    case u'a': out += Abbrev(DayName(t)); break;
    case u'A': out += DayName(t); break;
    case u'b': out += Abbrev(MonthName(t)); break;
    case u'B': out += MonthName(t); break;
    case u'c': {
        std::u16string asc = FormatAscTime(t);
        asc.pop_back();  // the line feed
        out += asc;
        break;
    }
    case u'd': out += Padded(t.tm_mday, 2); break;
    case u'H': out += Padded(t.tm_hour, 2); break;
    case u'I': out += Padded(Hour12(t), 2); break;
    case u'j': out += Padded(t.tm_yday + 1, 3); break;
    case u'm': out += Padded(t.tm_mon + 1, 2); break;
    case u'M': out += Padded(t.tm_min, 2); break;
    case u'p': out += t.tm_hour < 12 ? u"AM" : u"PM"; break;
    case u'S': out += Padded(t.tm_sec, 2); break;
    case u'U': out += Padded((t.tm_yday + 7 - t.tm_wday) / 7, 2); break;
    case u'w': out += FormatInt(t.tm_wday); break;
    case u'W': out += Padded((t.tm_yday + 7 - (t.tm_wday + 6) % 7) / 7, 2); break;
    case u'x':
        out += Padded(t.tm_mon + 1, 2) + u"/" + Padded(t.tm_mday, 2) + u"/" + Padded((t.tm_year + 1900) % 100, 2);
        break;
    case u'X': out += Padded(t.tm_hour, 2) + u":" + Padded(t.tm_min, 2) + u":" + Padded(t.tm_sec, 2); break;
    case u'y': out += Padded(((t.tm_year + 1900) % 100 + 100) % 100, 2); break;
    case u'Y': out += FormatInt(int64_t(t.tm_year) + 1900); break;
    case u'%': out += u'%'; break;
    default:
        out += u'%';
        out += c;
    }
}
}  // namespace

std::u16string FormatAscTime(const std::tm &t) {
    return Abbrev(DayName(t)) + u" " + Abbrev(MonthName(t)) + u" " + Padded(t.tm_mday, 2, u' ') + u" " +
           Padded(t.tm_hour, 2) + u":" + Padded(t.tm_min, 2) + u":" + Padded(t.tm_sec, 2) + u" " +
           FormatInt(int64_t(t.tm_year) + 1900) + u"\n";
}

std::u16string FormatCalendar(const std::tm &t, const char16_t *pattern, size_t maxChars) {
    std::u16string out;
    for (const char16_t *p = pattern; p && *p; ++p) {
        if (*p != u'%' || !p[1])
            out += *p;
        else
            AppendConversion(out, t, *++p);
    }
    if (out.size() > maxChars) out.clear();
    return out;
}

std::tm LocalCalendar(int64_t seconds) {
    std::time_t t = std::time_t(seconds);
    // localtime's record is shared static storage: copy it at once.
    const std::tm *local = std::localtime(&t);
    std::tm result = {};
    if (local)
        result = *local;
    else
        result.tm_mday = 1;
    return result;
}

void cTimeStamp::SetNow() {
    seconds = NowSeconds();
    calendar = LocalCalendar(seconds);
}

const char16_t *cTimeStamp::Format(const char16_t *pattern) const {
    if (!pattern) return TempStringOf(FormatAscTime(calendar));
    // Room for the pattern and 40 more characters, the terminator included.
    size_t room = TextLength(pattern) + 40;
    return TempStringOf(FormatCalendar(calendar, pattern, room - 1));
}

const char16_t *cTimeStamp::MakeDatedName(const char16_t *name, const char16_t *extension,
                                          const char16_t *pattern) {
    SetNow();
    std::u16string s = name ? name : u"";
    s += Format(pattern ? pattern : kDatePattern);
    if (extension) {
        if (extension[0] != u'.') s += u'.';
        s += extension;
    }
    return TempStringOf(s);
}
