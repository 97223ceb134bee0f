// A compiled number picture must give exactly the text Format gives for the same picture and the
// same value as a double. Money cells are formatted from their integer units, so every set below
// is compared cell by cell with Format of the cell's double: a run of consecutive units through
// zero (every tie of the shown decimals), ties and their neighbours at every magnitude up to
// 10^13, random amounts of every size and sign, and the edge where the integer road hands over
// to the double's.
#include "core/engine/currency.h"
#include "core/format/format.h"
#include "core/format/numberpicture.h"

#include <QTest>

#include <cstdint>
#include <limits>
#include <random>
#include <vector>

using qb::Currency;

namespace {

enum class Amounts { Consecutive, Ties, Random, RoadEdge, Extremes };

} // namespace

Q_DECLARE_METATYPE(Amounts)

namespace {

std::vector<std::int64_t> amounts(Amounts kind) {
    std::vector<std::int64_t> units;
    switch (kind) {
    case Amounts::Consecutive:
        for (std::int64_t u = -120'000; u <= 120'000; ++u)
            units.push_back(u);
        break;
    case Amounts::Ties: {
        // Halves of a cent, of a unit and of the last shown place, with the units just either
        // side, after leading digits 1 to 9 at every power of ten of the units.
        std::int64_t power = 1;
        for (int k = 0; k <= 17; ++k, power *= 10)
            for (std::int64_t lead = 1; lead <= 9; ++lead)
                for (std::int64_t tail : {50, 5000, 9950, 9999'5000}) {
                    const std::int64_t tie = lead * power + tail;
                    for (std::int64_t u = tie - 1; u <= tie + 1; ++u) {
                        units.push_back(u);
                        units.push_back(-u);
                    }
                }
        break;
    }
    case Amounts::Random: {
        std::mt19937_64 generator(14);
        for (int i = 0; i < 100'000; ++i) {
            // Every number of digits up to 17 (10^13 in value), equally often.
            const int digits = static_cast<int>(generator() % 17) + 1;
            std::int64_t limit = 1;
            for (int d = 0; d < digits; ++d)
                limit *= 10;
            std::int64_t u =
                static_cast<std::int64_t>(generator() % static_cast<std::uint64_t>(limit));
            if (i % 4 == 1)
                u = u / 100 * 100 + 50; // a tie of cents
            if (generator() % 2)
                u = -u;
            units.push_back(u);
        }
        break;
    }
    case Amounts::RoadEdge:
        for (std::int64_t base :
             {std::int64_t{1'000'000'000'000'000}, std::int64_t{999'999'999'995'000}})
            for (std::int64_t u = base - 20'000; u <= base + 20'000; u += 7) {
                units.push_back(u);
                units.push_back(-u);
            }
        break;
    case Amounts::Extremes:
        units = {std::numeric_limits<std::int64_t>::max(),
                 std::numeric_limits<std::int64_t>::min(),
                 std::numeric_limits<std::int64_t>::max() / 3,
                 9'007'199'254'740'993,
                 1,
                 -1,
                 0};
        break;
    }
    return units;
}

} // namespace

class TestNumberPicture : public QObject {
    Q_OBJECT

private slots:
    void currencyMatchesFormat_data() {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<Amounts>("kind");
        const char* pictures[] = {"####,,###.00", "###,,###.00", "##,,###.00", "###,###.00",
                                  "###.00",       "###.##",      "###",        "####",
                                  "0.########",   "#.########",  "00"};
        const std::pair<const char*, Amounts> kinds[] = {{"consecutive", Amounts::Consecutive},
                                                         {"ties", Amounts::Ties},
                                                         {"random", Amounts::Random},
                                                         {"road edge", Amounts::RoadEdge},
                                                         {"extremes", Amounts::Extremes}};
        for (const char* picture : pictures)
            for (const auto& [name, kind] : kinds)
                QTest::addRow("%s %s", picture, name) << QString::fromLatin1(picture) << kind;
    }

    void currencyMatchesFormat() {
        QFETCH(QString, picture);
        QFETCH(Amounts, kind);
        const qb::NumberPicture compiled(picture);
        for (const std::int64_t units : amounts(kind)) {
            const Currency cell = Currency::fromUnits(units);
            const QString expected = qb::Format(cell.toDouble(), picture);
            const QString actual = compiled.format(cell);
            if (actual != expected)
                QFAIL(qPrintable(QStringLiteral("%1 units: \"%2\", Format gives \"%3\"")
                                     .arg(units)
                                     .arg(actual, expected)));
        }
    }
};

QTEST_GUILESS_MAIN(TestNumberPicture)
#include "tst_numberpicture.moc"
