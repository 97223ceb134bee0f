// The desktop program. Until the calculation windows arrive it opens one small
// window with the default mortgage worked out by the engine, so a build can be
// seen to run end to end.
#include "engine/amortization.h"
#include "settings/daysperyear.h"
#include "shell/format.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillbrook"));

    qb::SharedState state;
    qb::SizeCalculationTables(state);
    qb::ApplyDaysPerYear(state, qb::kDefaultDayFactorChoice);
    state.InputValues[1] = qb::Currency::fromDouble(100000);
    state.InputValues[2] = qb::Currency::fromDouble(10);
    state.InputValues[3] = qb::Currency::fromDouble(25);
    state.TableView = 2;
    const qb::Calculation result =
        qb::Calculate(state, qb::kFrequencies[0].text, qb::kCompoundings[0].text);

    QLabel window(QStringLiteral("100,000.00 at 10% over 25 years, paid monthly:\n"
                                 "payment $%1, total paid $%2")
                      .arg(qb::Format(result.payment, u"###,,###.00"),
                           qb::Format(result.totalPaid.toDouble(), u"###,,###.00")));
    window.setWindowTitle(QStringLiteral("Quillbrook"));
    window.setMargin(24);
    window.show();
    return QApplication::exec();
}
