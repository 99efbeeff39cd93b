#include "fileops/TimestampFields.h"

namespace {
bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}
}  // namespace

TimeFields localFieldsOf(const FILETIME& utc) {
    FILETIME local;
    SYSTEMTIME calendar;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &calendar)) return {};
    return {calendar.wYear, calendar.wMonth, calendar.wDay, calendar.wHour, calendar.wMinute, calendar.wSecond};
}

int invalidField(const TimeFields& fields) {
    const auto [year, month, day, hour, minute, second] = fields;
    // The platform's calendar runs from 1601 to 30827.
    if (year < 1601 || year > 30827) return 0;
    if (month < 1 || month > 12) return 1;
    if (day < 1 || day > daysInMonth(year, month)) return 2;
    if (hour < 0 || hour > 23) return 3;
    if (minute < 0 || minute > 59) return 4;
    if (second < 0 || second > 59) return 5;
    return -1;
}

std::optional<FILETIME> utcTimeOf(const TimeFields& fields) {
    if (invalidField(fields) >= 0) return std::nullopt;
    SYSTEMTIME calendar{};
    calendar.wYear = static_cast<WORD>(fields[0]);
    calendar.wMonth = static_cast<WORD>(fields[1]);
    calendar.wDay = static_cast<WORD>(fields[2]);
    calendar.wHour = static_cast<WORD>(fields[3]);
    calendar.wMinute = static_cast<WORD>(fields[4]);
    calendar.wSecond = static_cast<WORD>(fields[5]);
    FILETIME local, utc;
    if (!SystemTimeToFileTime(&calendar, &local) || !LocalFileTimeToFileTime(&local, &utc)) return std::nullopt;
    return utc;
}
