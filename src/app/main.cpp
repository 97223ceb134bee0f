// The desktop program. Until the main menu arrives it opens the Mortgage Tables window directly,
// with the working values start-up gives the shared module.
#include "settings/daysperyear.h"
#include "shell/qtmessagebox.h"
#include "shell/shortdate.h"
#include "windows/tablewindow.h"

#include <QApplication>
#include <QDate>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillbrook"));

    qb::SharedState state;
    qb::ApplyDaysPerYear(state, qb::kDefaultDayFactorChoice);
    state.DayFactorChoice = qb::kDefaultDayFactorChoice;
    state.CurrencySymbol = QStringLiteral("$");
    state.FirstPayDate = qb::ToShortDate(QDate::currentDate());

    qb::QtMessageBox messages;
    qb::TableWindow window(qb::MortgageTablesSetup(), state, messages);
    messages.setParent(&window);
    QObject::connect(&window, &qb::TableWindow::exited, &app, &QApplication::quit);
    window.show();
    return QApplication::exec();
}
