// Option readers shared by the tool's commands; see commandoptions.h.
#include "cli/commandoptions.h"

#include "core/engine/engineerror.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace qb {

namespace {

constexpr int kLastExtraYear = 45;

// The command-line names of the list entries, matched against the list texts without their
// leading blanks so the names do not depend on how the lists are laid out.
struct ListName {
    QStringView name;
    QStringView text;
};

constexpr std::array<ListName, 5> kCompoundingNames = {{
    {u"monthly", u"Monthly"},
    {u"bimonthly", u"Bimonthly"},
    {u"quarterly", u"Quarterly"},
    {u"semiannual", u"Semiannual"},
    {u"annual", u"Annual"},
}};

constexpr std::array<ListName, 6> kFrequencyNames = {{
    {u"monthly", u"Monthly"},
    {u"semimonthly", u"Semimonthly"},
    {u"2-weeks", u"2 Weeks"},
    {u"1-week", u"1 Week"},
    {u"biweekly-acc", u"Biweekly(Acc)"},
    {u"weekly-acc", u"Weekly(Acc)"},
}};

template <std::size_t N>
QStringView parseName(const QString& option, const QString& text,
                      const std::array<ListName, N>& names) {
    for (const ListName& entry : names) {
        if (text == entry.name)
            return entry.name;
    }
    throw Refused(option, text, "is not one of the names listed by --help");
}

bool isAsciiDigits(QStringView text) {
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

} // namespace

UsageError Refused(const QString& option, const QString& text, const char* problem) {
    return UsageError{QStringLiteral("%1: \"%2\" %3").arg(option, text, QLatin1String(problem))};
}

double ParseNumber(const QString& option, const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    // toDouble forgives surrounding blanks; a script that passes them has a bug worth reporting.
    if (!ok || text.isEmpty() || text.trimmed() != text)
        throw Refused(option, text, "is not a number");
    if (!std::isfinite(value))
        throw Refused(option, text, "is not a finite number");
    if (value < 0)
        throw Refused(option, text, "must not be negative");
    return value;
}

Currency ToCell(const QString& option, const QString& text, double value) {
    try {
        return Currency::fromDouble(value);
    } catch (const OverflowError&) {
        throw Refused(option, text, "is too large");
    }
}

Currency ParseAmount(const QString& option, const QString& text) {
    return ToCell(option, text, ParseNumber(option, text));
}

const Frequency& FrequencyFor(QStringView name) {
    for (const ListName& entry : kFrequencyNames) {
        if (entry.name != name)
            continue;
        for (const Frequency& frequency : kFrequencies) {
            if (QStringView(frequency.text).trimmed() == entry.text)
                return frequency;
        }
    }
    throw CalculationError("frequency not in the list");
}

const Compounding& CompoundingFor(QStringView name) {
    for (const ListName& entry : kCompoundingNames) {
        if (entry.name != name)
            continue;
        for (const Compounding& compounding : kCompoundings) {
            if (QStringView(compounding.text).trimmed() == entry.text)
                return compounding;
        }
    }
    throw CalculationError("compounding not in the list");
}

QString ExactMoney(Currency cell) {
    const std::int64_t units = cell.units();
    const std::uint64_t magnitude =
        units < 0 ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
    const auto scale = static_cast<std::uint64_t>(Currency::kScale);
    QString text = QString::number(magnitude / scale) + u'.' +
                   QString::number(magnitude % scale).rightJustified(4, u'0');
    return units < 0 ? u'-' + text : text;
}

QString FullPrecision(double value) {
    return std::isfinite(value) ? QString::number(value, 'g', 17) : QStringLiteral("null");
}
QStringView ParseCompoundingName(const QString& option, const QString& text) {
    return parseName(option, text, kCompoundingNames);
}

QStringView ParseFrequencyName(const QString& option, const QString& text) {
    return parseName(option, text, kFrequencyNames);
}

std::pair<int, Currency> ParseExtraPayment(const QString& option, const QString& text) {
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0 || colon == text.size() - 1 || text.indexOf(u':', colon + 1) >= 0)
        throw Refused(option, text, "is not YEAR:AMOUNT");
    const QString yearText = text.left(colon);
    const QString amountText = text.mid(colon + 1);
    if (!isAsciiDigits(yearText))
        throw Refused(option, text, "does not start with a whole year number");
    const int year = yearText.size() > 2 ? kLastExtraYear + 1 : yearText.toInt();
    if (year < 1 || year > kLastExtraYear)
        throw Refused(option, text, "has a year that is not between 1 and 45");
    return {year, ParseAmount(option, amountText)};
}

void Fail(QTextStream& err, const QString& message) {
    err << "quillbrook-cli: " << message << '\n';
    err.flush();
}

} // namespace qb
