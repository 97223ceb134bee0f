#include "core/reports/spreadsheet.h"

#include "core/format/format.h"
#include "core/format/shortdate.h"
#include "core/print/outputfile.h"

#include <QStringList>

#include <algorithm>

namespace qb {

namespace {

// The whole number a cell shows with a picture of "#" only: rounded half away from zero.
std::int64_t wholeNumber(Currency cell) {
    const std::int64_t half = Currency::kScale / 2;
    const std::int64_t units = cell.units();
    return units < 0 ? -((-units + half) / Currency::kScale) : (units + half) / Currency::kScale;
}

} // namespace

std::vector<ScheduleRow> ScheduleRows(const Schedule& schedule) {
    const LoanInput& input = schedule.input;
    const bool yearColumn = input.view == 2 && !input.showDates;
    const CurrencyTable& table = schedule.rows;
    std::vector<ScheduleRow> rows;
    rows.reserve(static_cast<std::size_t>(std::max<int>(schedule.tableRows, 0)));
    for (int r = 1; r <= schedule.tableRows; ++r) {
        ScheduleRow row;
        row.number = wholeNumber(table.at(r, 1));
        if (yearColumn)
            row.year = wholeNumber(table.at(r, 0));
        if (input.showDates)
            row.date = SerialToDate(static_cast<int>(wholeNumber(table.at(r, 7))));
        for (int c = 0; c < 5; ++c)
            row.money[static_cast<std::size_t>(c)] = table.at(r, c + 2);
        rows.push_back(row);
    }
    return rows;
}

QString ScheduleCsv(const Schedule& schedule) {
    QString text = QStringLiteral("number,year,date,interest,principal,balance,"
                                  "cumulative_interest,cumulative_principal\n");
    const std::vector<ScheduleRow> rows = ScheduleRows(schedule);
    // Room for a row of five large amounts, so the text is seldom moved as it grows.
    text.reserve(text.size() + static_cast<qsizetype>(rows.size()) * 96);
    for (const ScheduleRow& row : rows) {
        text += QString::number(row.number);
        text += u',';
        if (row.year)
            text += QString::number(*row.year);
        text += u',';
        if (row.date)
            text += row.date->toString(Qt::ISODate);
        for (Currency cell : row.money) {
            text += u',';
            text += ExactMoney(cell);
        }
        text += u'\n';
    }
    return text;
}

ComparisonFields ComparisonRowFields(const ComparisonRow& row) {
    return {
        {"row", QString::number(row.number)},
        {"compounding", QString(row.compoundingLetter)},
        {"frequency_code", row.frequencyCode.trimmed()},
        {"years", FullPrecision(row.years)},
        {"years_to_retire", FullPrecision(row.yearsToRetire)},
        {"extra_payments_applied", QString::number(row.extraPayments.size())},
        {"payments_per_year", QString::number(row.paymentsPerYear)},
        {"principal", ExactMoney(Currency::fromDouble(row.principal))},
        {"rate", FullPrecision(row.rate)},
        {"payment", FullPrecision(row.calculation.payment)},
        {"total_interest", ExactMoney(row.totalInterest)},
        {"interest_rate_factor", FullPrecision(row.calculation.periodicRate)},
    };
}

QString ComparisonCsv(const std::vector<ComparisonRow>& rows) {
    QStringList keys;
    for (const auto& [key, value] : ComparisonRowFields(ComparisonRow()))
        keys.append(QLatin1String(key));
    QString text = keys.join(u',') + u'\n';
    for (const ComparisonRow& row : rows) {
        QStringList values;
        for (const auto& [key, value] : ComparisonRowFields(row))
            values.append(value);
        text += values.join(u',') + u'\n';
    }
    return text;
}

std::optional<QString> SaveTextFile(const QString& path, const QString& text) {
    OutputFile file;
    if (!file.start(path))
        return file.errorString();
    file.write(text.toUtf8());
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace qb
