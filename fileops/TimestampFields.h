// The six numbers of a timestamp row as the user reads and types them (local time), and their
// conversions from and to the file system's UTC times.
#pragma once
#include <windows.h>
#include <array>
#include <optional>

// year, month, day, hour, minute, second
using TimeFields = std::array<int, 6>;

// The local calendar fields of a UTC file time (all zero when it cannot be converted).
TimeFields localFieldsOf(const FILETIME& utc);

// Index of the first field that does not belong to a real local date and time (February 30th,
// hour 24, a year before 1601), or -1 when all do.
int invalidField(const TimeFields& fields);

// The UTC file time of local calendar fields; none when they are not a real date and time.
std::optional<FILETIME> utcTimeOf(const TimeFields& fields);
