// The schedule and the comparison as a spreadsheet reads them: comma-separated lines, a line of
// field names first, money as the exact decimal a cell holds. quillbrook-cli prints these with
// --format csv, and the windows' Save as CSV writes the same bytes.
#pragma once

#include "core/engine/schedule.h"
#include "core/state/comparison.h"

#include <QDate>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace qb {

// One row of a schedule as the CSV and JSON outputs write it.
struct ScheduleRow {
    std::int64_t number = 0;
    std::optional<std::int64_t> year; // every payment by number: the payment's year
    std::optional<QDate> date;        // rows with dates
    std::array<Currency, 5> money; // interest, principal, balance, cumulative interest, principal
};

// The rows of the table the schedule shows, in its view.
std::vector<ScheduleRow> ScheduleRows(const Schedule& schedule);
QString ScheduleCsv(const Schedule& schedule);

// A comparison row's fields by name, in the order the CSV and JSON outputs write them. The
// second and third are letters.
using ComparisonFields = std::vector<std::pair<const char*, QString>>;
ComparisonFields ComparisonRowFields(const ComparisonRow& row);
QString ComparisonCsv(const std::vector<ComparisonRow>& rows);

// Writes text as UTF-8 to path, whole or not at all. Returns why it failed, or nothing.
std::optional<QString> SaveTextFile(const QString& path, const QString& text);

} // namespace qb
