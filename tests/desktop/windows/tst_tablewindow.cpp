// The Mortgage Tables window driven as a user drives it: real key presses into the boxes, focus
// moving on, buttons clicked, and what the labels, the grid and the message boxes then show.
#include "core/format/format.h"
#include "desktop/platform/captionlabel.h"
#include "desktop/platform/grid.h"
#include "desktop/windows/tablewindow.h"
#include "desktop/windowtest.h"

#include "core/settings/daysperyear.h"

#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOption>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace qb;

class TestTableWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init();
    void cleanup();

    void opensWithTheDefaults();
    void typedPrincipalReplacesTheDefault();
    void termAboveFortyYears();
    void listBoxesRefuseTyping_data();
    void listBoxesRefuseTyping();
    void keyFiltersBeepOnLetters();
    void enterMovesAlongTheBoxes();
    void typedValueIsNotCompleted_data();
    void typedValueIsNotCompleted();
    void leftBoxReadsTheAmountItShows();
    void keysThatTypeNothingKeepTheEntry_data();
    void keysThatTypeNothingKeepTheEntry();
    void pasteCountsAsTyping_data();
    void pasteCountsAsTyping();
    void anotherWindowTakingTheFocusKeepsTheEntry();
    void formattedTextIsShownWhole_data();
    void formattedTextIsShownWhole();
    void captionsBreakAtTheirBlankRuns();
    void enterPressesTheFocusedButton();
    void enterShowsTheFocusMarker();
    void defaultCalculation();
    void yearlyViewRowsAndTotals();
    void everyPaymentViewShowsPaymentAndYear();
    void termPickedFromTheListErasesAdditionalPayments();
    void appliedAdditionalPaymentsAreListed();
    void everyAppliedPaymentIsListedWhateverPrePayCount();
    void failureKeepsTheFiguresAlreadyShown();
    void termLimitMessageCarriesTheCaption();
    void helpPanel();
    void calculateClosesTheHelpPanel();
    void showGraphWithoutResults();
    void inputChangeTakesTheResultsAway_data();
    void inputChangeTakesTheResultsAway();
    void datesToggle();
    void exitErasesTheTables();
    void destroyedWhileEditing_data();
    void destroyedWhileEditing();
    void widerWindowWidensTheGrid_data();
    void widerWindowWidensTheGrid();

private:
    template <class T> T* control(const char* name) {
        return Control<T>(m_window.get(), QString::fromLatin1(name));
    }
    QString label(const char* name) { return control<QLabel>(name)->text(); }
    QString cell(int row, int column) { return m_window->grid()->cellText(row, column); }
    void typeInto(QWidget* box, const QString& text) {
        box->setFocus();
        QTest::keyClicks(box, text);
    }
    void calculate() { QTest::mouseClick(control<QPushButton>("Calc4"), Qt::LeftButton); }
    // Enter from the principal box along the chain, steps times; the focus ends on Calc4 after 5.
    void pressEnterAlongTheChain(int steps) {
        control<QLineEdit>("InPrincipal")->setFocus();
        for (int i = 0; i < steps; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }

    SharedState m_state;
    RecordingMessageBox m_messages;
    std::unique_ptr<TableWindow> m_window;
};

void TestTableWindow::init() {
    m_state = SharedState();
    ApplyDaysPerYear(m_state, kDefaultDayFactorChoice);
    m_state.CurrencySymbol = QStringLiteral("$");
    m_state.FirstPayDate = QStringLiteral("1/31/2027");
    m_messages = RecordingMessageBox();
    m_window = std::make_unique<TableWindow>(MortgageTablesSetup(), m_state, m_messages);
    QVERIFY(ShowActive(m_window.get()));
}

void TestTableWindow::cleanup() {
    m_window.reset();
}

void TestTableWindow::opensWithTheDefaults() {
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Mortgage Tables"));
    QCOMPARE(control<QLineEdit>("InPrincipal")->text(), QStringLiteral("   $100,000.00"));
    QCOMPARE(control<QComboBox>("InRate")->currentText(), QStringLiteral("         10.00%"));
    QCOMPARE(control<QComboBox>("InTerm")->currentText(), QStringLiteral("            25"));
    QCOMPARE(control<QComboBox>("Comperiod")->currentText(), QStringLiteral("      Monthly"));
    QCOMPARE(control<QComboBox>("FreqPmt")->count(), 6);
    QVERIFY(control<QRadioButton>("Option2")->isChecked());
    QCOMPARE(m_state.TableView, 1);
    QCOMPARE(m_state.EntryStarted, 0);
    QCOMPARE(m_state.InputValues[1], Currency::fromDouble(100000));
    QCOMPARE(cell(0, 0), QStringLiteral(" Year Number"));
    QCOMPARE(cell(0, 3), QStringLiteral("Remaining Balance"));
    QCOMPARE(label("Label3"), QStringLiteral(" Amortization period    in years."));

    // A compounding chosen in the personal settings is the new window's default.
    m_state.CompoundChoice = 3;
    TableWindow semiannual(MortgageTablesSetup(), m_state, m_messages);
    QCOMPARE(semiannual.findChild<QComboBox*>(QStringLiteral("Comperiod"))->currentText(),
             QStringLiteral("   Semiannual"));
}

void TestTableWindow::typedPrincipalReplacesTheDefault() {
    auto* principal = control<QLineEdit>("InPrincipal");
    typeInto(principal, QStringLiteral("20"));
    QCOMPARE(principal->text(), QStringLiteral("20"));
    control<QPushButton>("Calc4")->setFocus();
    QCOMPARE(principal->text(), QStringLiteral("          $20.00"));
    QCOMPARE(m_state.InputValues[1], Currency::fromDouble(20));
    QCOMPARE(m_state.EntryStarted, 0);

    // The next key after leaving empties the box again; later keys edit it.
    typeInto(principal, QStringLiteral("1234567.5"));
    QTest::keyClick(principal, Qt::Key_Return);
    QCOMPARE(principal->text(), QStringLiteral("   $1,234,567.50"));
    QVERIFY(control<QComboBox>("InRate")->hasFocus());
}

void TestTableWindow::termAboveFortyYears() {
    auto* term = control<QComboBox>("InTerm");
    typeInto(term, QStringLiteral("45"));
    QTest::keyClick(term, Qt::Key_Return);
    QCOMPARE(m_messages.shown.size(), std::size_t(1));
    QCOMPARE(m_messages.shown[0].text, QStringLiteral("Wrong entry, 40 Years limit."));
    QCOMPARE(m_messages.shown[0].title, QStringLiteral("Help"));
    QCOMPARE(term->currentText(), QStringLiteral("              40"));
    QCOMPARE(m_state.InputValues[3], Currency::fromDouble(40));
}

void TestTableWindow::listBoxesRefuseTyping_data() {
    QTest::addColumn<QString>("box");
    QTest::newRow("compounding") << QStringLiteral("Comperiod");
    QTest::newRow("frequency") << QStringLiteral("FreqPmt");
}

void TestTableWindow::listBoxesRefuseTyping() {
    QFETCH(QString, box);
    auto* combo = m_window->findChild<QComboBox*>(box);
    const QString before = combo->currentText();
    typeInto(combo, QStringLiteral("ab"));
    QCOMPARE(m_messages.beeps, 2);
    QCOMPARE(combo->currentText(), before);
    QCOMPARE(m_state.EntryStarted, 1);
}

void TestTableWindow::keyFiltersBeepOnLetters() {
    auto* rate = control<QComboBox>("InRate");
    typeInto(rate, QStringLiteral("7x.5"));
    QCOMPARE(rate->currentText(), QStringLiteral("7.5"));
    QCOMPARE(m_messages.beeps, 1);

    auto* term = control<QComboBox>("InTerm");
    typeInto(term, QStringLiteral("3.0"));
    QCOMPARE(term->currentText(), QStringLiteral("30"));
    QCOMPARE(m_messages.beeps, 2);
}

void TestTableWindow::enterMovesAlongTheBoxes() {
    const char* chain[] = {"InPrincipal", "InRate", "InTerm", "Comperiod", "FreqPmt", "Calc4"};
    control<QLineEdit>("InPrincipal")->setFocus();
    for (int i = 0; i + 1 < 6; ++i) {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused, Qt::Key_Return);
        QVERIFY2(QApplication::focusWidget() == control<QWidget>(chain[i + 1]), chain[i + 1]);
    }
    QVERIFY(m_messages.shown.empty());
}

void TestTableWindow::typedValueIsNotCompleted_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("input");
    // The lists hold 25 and 10: a completing box would turn these into them.
    QTest::newRow("term 2") << QStringLiteral("InTerm") << QStringLiteral("2") << 3;
    QTest::newRow("rate 1") << QStringLiteral("InRate") << QStringLiteral("1") << 2;
}

void TestTableWindow::typedValueIsNotCompleted() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(int, input);
    auto* combo = m_window->findChild<QComboBox*>(box);
    typeInto(combo, typed);
    QCOMPARE(combo->currentText(), typed);
    QTest::keyClick(combo, Qt::Key_Return);
    QCOMPARE(m_state.InputValues[static_cast<std::size_t>(input)],
             Currency::fromDouble(Val(typed)));
}

void TestTableWindow::leftBoxReadsTheAmountItShows() {
    // Delete starts an entry without touching the formatted text; leaving keeps its amount.
    auto* principal = control<QLineEdit>("InPrincipal");
    principal->setFocus();
    QTest::keyClick(principal, Qt::Key_Delete);
    QTest::keyClick(principal, Qt::Key_Tab);
    QCOMPARE(m_state.InputValues[1], Currency::fromDouble(100000));
    QCOMPARE(principal->text(), QStringLiteral("     $100,000.00"));
}

// Copying, selecting and moving about in a box type nothing: the box keeps its amount.
void TestTableWindow::keysThatTypeNothingKeepTheEntry_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+A") << int(Qt::Key_A) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+Insert") << int(Qt::Key_Insert) << int(Qt::ControlModifier);
    QTest::newRow("Esc") << int(Qt::Key_Escape) << int(Qt::NoModifier);
    QTest::newRow("Left") << int(Qt::Key_Left) << int(Qt::NoModifier);
    QTest::newRow("Home") << int(Qt::Key_Home) << int(Qt::NoModifier);
    QTest::newRow("Shift+End") << int(Qt::Key_End) << int(Qt::ShiftModifier);
}

void TestTableWindow::keysThatTypeNothingKeepTheEntry() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    calculate();
    auto* principal = control<QLineEdit>("InPrincipal");
    principal->setFocus();
    QTest::keyClick(principal, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTest::keyClick(principal, Qt::Key_Tab);
    QCOMPARE(principal->text(), QStringLiteral("   $100,000.00"));
    QCOMPARE(m_state.InputValues[1], Currency::fromDouble(100000));
    QCOMPARE(m_state.EntryStarted, 0);
    QCOMPARE(m_messages.beeps, 0);
    QCOMPARE(label("InMonthPI"), QStringLiteral("     $908.70"));
}

// A paste by key or a drop is typing: the figure without its symbol, separators and blanks
// replaces the box's text and is kept on leaving; anything else in it refuses it whole.
void TestTableWindow::pasteCountsAsTyping_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<bool>("dropped");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("kept");
    QTest::addColumn<int>("beeps");

    QTest::newRow("amount with symbol")
        << "InPrincipal"
        << "$1,234.50" << false << "       $1,234.50" << 1234.5 << 0;
    QTest::newRow("rate with percent") << "InRate"
                                       << " 7.5 %" << false << "            7.50%" << 7.5 << 0;
    QTest::newRow("dropped amount") << "InPrincipal"
                                    << "250000" << true << "     $250,000.00" << 250000.0 << 0;
    QTest::newRow("fraction into the term") << "InTerm"
                                            << "7.5" << false << "            25" << 25.0 << 1;
    QTest::newRow("letters") << "InPrincipal"
                             << "12abc" << false << "   $100,000.00" << 100000.0 << 1;
}

void TestTableWindow::pasteCountsAsTyping() {
    QFETCH(QString, box);
    QFETCH(QString, pasted);
    QFETCH(bool, dropped);
    QFETCH(QString, shown);
    QFETCH(double, kept);
    QFETCH(int, beeps);

    QWidget* target = m_window->findChild<QWidget*>(box);
    auto* combo = qobject_cast<QComboBox*>(target);
    QLineEdit* edit = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(target);
    target->setFocus();
    if (dropped) {
        QMimeData data;
        data.setText(pasted);
        // A drop reaches the box that accepted the drag when it entered.
        QDragEnterEvent enter(QPoint(4, 4), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(edit, &enter);
        QDropEvent drop(QPointF(4, 4), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(edit, &drop);
    } else {
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    }
    QTest::keyClick(target, Qt::Key_Tab);
    QCOMPARE(edit->text(), shown);
    const int index = box == u"InPrincipal" ? 1 : box == u"InRate" ? 2 : 3;
    QCOMPARE(m_state.InputValues[static_cast<std::size_t>(index)], Currency::fromDouble(kept));
    QCOMPARE(m_messages.beeps, beeps);
}

void TestTableWindow::anotherWindowTakingTheFocusKeepsTheEntry() {
    auto* principal = control<QLineEdit>("InPrincipal");
    typeInto(principal, QStringLiteral("20"));
    QWidget other;
    QVERIFY(ShowActive(&other));
    QCOMPARE(principal->text(), QStringLiteral("20"));
    QVERIFY(ShowActive(m_window.get()));
    QVERIFY(principal->hasFocus());
    QTest::keyClicks(principal, QStringLiteral("5"));
    QTest::keyClick(principal, Qt::Key_Return);
    QCOMPARE(m_state.InputValues[1], Currency::fromDouble(205));
}

void TestTableWindow::formattedTextIsShownWhole_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("principal") << QStringLiteral("InPrincipal") << QStringLiteral("1000000000")
                               << QStringLiteral("$1,000,000,000.00");
    QTest::newRow("rate") << QStringLiteral("InRate") << QStringLiteral("10")
                          << QString(11, u' ') + QStringLiteral("10.00%");
}

void TestTableWindow::formattedTextIsShownWhole() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    auto* widget = m_window->findChild<QWidget*>(box);
    auto* edit = qobject_cast<QLineEdit*>(widget);
    if (!edit)
        edit = qobject_cast<QComboBox*>(widget)->lineEdit();
    typeInto(widget, typed);
    QTest::keyClick(widget, Qt::Key_Return);
    QCOMPARE(edit->text(), shown);

    // Typing is still held to 16 characters.
    typeInto(widget, QString(20, u'1'));
    QCOMPARE(edit->text(), QString(16, u'1'));
}

void TestTableWindow::captionsBreakAtTheirBlankRuns() {
    auto* caption = control<CaptionLabel>("Label1");
    QCOMPARE(caption->text(), QStringLiteral(" Principal amount of    mortgage."));
    QCOMPARE(caption->lines(),
             QStringList({QStringLiteral(" Principal amount of"), QStringLiteral("mortgage.")}));

    // No caption shows a gap inside a line, however wide its column.
    for (const CaptionLabel* label : m_window->findChildren<CaptionLabel*>()) {
        for (const QString& line : label->lines())
            QVERIFY2(!line.trimmed().contains(QStringLiteral("  ")), qPrintable(label->text()));
    }
}

void TestTableWindow::enterPressesTheFocusedButton() {
    pressEnterAlongTheChain(5);
    QVERIFY(control<QPushButton>("Calc4")->hasFocus());
    QTest::keyClick(control<QPushButton>("Calc4"), Qt::Key_Return);
    QCOMPARE(label("InMonthPI"), QStringLiteral("     $908.70"));

    control<QPushButton>("Help4")->setFocus();
    QTest::keyClick(control<QPushButton>("Help4"), Qt::Key_Enter);
    QVERIFY(control<QPlainTextEdit>("TxtBox")->isVisible());
}

void TestTableWindow::enterShowsTheFocusMarker() {
    for (int steps = 3; steps <= 5; ++steps) {
        pressEnterAlongTheChain(steps);
        QStyleOption option;
        option.initFrom(QApplication::focusWidget());
        QVERIFY(option.state & QStyle::State_HasFocus);
        QVERIFY2(option.state & QStyle::State_KeyboardFocusChange,
                 qPrintable(QApplication::focusWidget()->objectName()));
    }
}

void TestTableWindow::defaultCalculation() {
    calculate();
    QVERIFY(m_messages.shown.empty());
    QCOMPARE(label("InMonthPI"), QStringLiteral("     $908.70"));
    QCOMPARE(label("PeriodicR"), QStringLiteral("0.00833333"));
    QCOMPARE(label("NumPmtsYear"), QStringLiteral("          12"));
    QCOMPARE(label("EndMortYear"), QStringLiteral("       25.00"));
    QCOMPARE(label("AllPayments"), QStringLiteral(" $272,609.85"));
    QCOMPARE(label("TotSavd"), QStringLiteral("        $.00"));
    QCOMPARE(label("InDays"), QStringLiteral("Normal"));
    QCOMPARE(m_state.DataCount, 25);
    QCOMPARE(m_state.ChartTitle, QStringLiteral("Mortgage balance at start of each Year"));
    for (int row = 1; row <= 25; ++row) {
        for (int column = 1; column <= 5; ++column)
            QCOMPARE(
                cell(row, column),
                Format(m_state.LastSchedule.rows.at(row, column + 1).toDouble(), u"####,,###.00"));
    }
    QCOMPARE(cell(25, 3), QStringLiteral(".00"));
    QCOMPARE(cell(25, 4), QStringLiteral("172,609.85"));
    // The grid keeps its own figures: what the shared schedule holds later does not reach it.
    m_state.LastSchedule = Schedule();
    QCOMPARE(cell(25, 4), QStringLiteral("172,609.85"));
    QCOMPARE(cell(1, 0), QStringLiteral("   1"));
}

void TestTableWindow::yearlyViewRowsAndTotals() {
    calculate();
    auto* grid = m_window->grid();
    QCOMPARE(grid->rows(), 29);
    QCOMPARE(cell(0, 0), QStringLiteral(" Payment  Year"));
    QCOMPARE(cell(1, 0), QStringLiteral("   1"));
    QCOMPARE(cell(25, 0), QStringLiteral("  25"));
    QCOMPARE(cell(26, 0), QString());
    QCOMPARE(cell(27, 0), QStringLiteral("Total:"));
    QCOMPARE(cell(27, 3), QStringLiteral("$.00"));
    QCOMPARE(cell(27, 4), QStringLiteral("$172,609.85"));
    QCOMPARE(cell(27, 5), QStringLiteral("$100,000.00"));
    QCOMPARE(grid->selEndRow(), 1);

    // A shorter schedule afterwards leaves no rows of the longer one behind.
    typeInto(control<QComboBox>("InTerm"), QStringLiteral("10"));
    calculate();
    QCOMPARE(grid->rows(), 23);
    QCOMPARE(cell(10, 0), QStringLiteral("  10"));
    QCOMPARE(cell(12, 0), QStringLiteral("Total:"));
    QCOMPARE(cell(20, 1), QString());
}

void TestTableWindow::everyPaymentViewShowsPaymentAndYear() {
    QTest::mouseClick(control<QRadioButton>("Option1"), Qt::LeftButton);
    QCOMPARE(m_state.TableView, 2);
    calculate();
    QCOMPARE(cell(0, 0), QStringLiteral("  Payment   No.  Year"));
    QCOMPARE(cell(1, 0), QStringLiteral("   1       1"));
    QCOMPARE(cell(13, 0), QStringLiteral("  13       2"));
    QCOMPARE(cell(300, 0), QStringLiteral(" 300      25"));
    QCOMPARE(cell(302, 0), QStringLiteral("Total:"));
    QCOMPARE(m_window->grid()->rows(), 304);
    QCOMPARE(m_state.DataCount, 301);
}

void TestTableWindow::termPickedFromTheListErasesAdditionalPayments() {
    m_state.PrePayTable.at(3, 2) = Currency::fromDouble(1500);
    auto* term = control<QComboBox>("InTerm");
    typeInto(term, QStringLiteral("30"));
    QCOMPARE(m_state.PrePayTable.at(3, 2), Currency::fromDouble(1500));

    term->setFocus();
    QTest::keyClick(term, Qt::Key_Down, Qt::AltModifier);
    term->setCurrentIndex(1);
    emit term->activated(1);
    QCOMPARE(m_state.PrePayTable.at(3, 2), Currency());
    QCOMPARE(m_state.PrePayTable.rowCount(), 46);
}

void TestTableWindow::appliedAdditionalPaymentsAreListed() {
    m_state.PrePayTable.at(3, 2) = Currency::fromDouble(1500);
    m_state.PrePayTable.at(30, 2) = Currency::fromDouble(900); // past the 25-year term
    m_state.PrePayCount = 2;
    calculate();
    const int rows = m_state.LastSchedule.tableRows;
    QCOMPARE(cell(rows + 4, 0), QStringLiteral("Additional "));
    QCOMPARE(cell(rows + 4, 2), QStringLiteral("Applied  "));
    QCOMPARE(cell(rows + 6, 0), QStringLiteral("              3"));
    QCOMPARE(cell(rows + 6, 2), QStringLiteral("1,500.00"));
    QCOMPARE(cell(rows + 7, 0), QString());
    QCOMPARE(m_state.PrePayApplied, 1);
    QCOMPARE(m_state.ReportLines[1], QStringLiteral("Additional  Payments     Applied\r\n\r\n") +
                                         QString(6, u' ') + QStringLiteral("  3") +
                                         QString(16, u' ') + QStringLiteral("1,500.00\r\n"));
    QVERIFY(label("TotSavd") != QStringLiteral("        $.00"));
}

void TestTableWindow::everyAppliedPaymentIsListedWhateverPrePayCount() {
    for (int year = 1; year <= 4; ++year)
        m_state.PrePayTable.at(year, 2) = Currency::fromDouble(1000);
    m_state.PrePayCount = 1; // stale: the Additional Payments window was closed by its frame
    calculate();
    const int rows = m_state.LastSchedule.tableRows;
    for (int year = 1; year <= 4; ++year) {
        QCOMPARE(cell(rows + 5 + year, 0), QString(14, u' ') + QString::number(year));
        QCOMPARE(cell(rows + 5 + year, 2), QStringLiteral("1,000.00"));
    }
    QCOMPARE(m_state.PrePayApplied, 4);
}

void TestTableWindow::failureKeepsTheFiguresAlreadyShown() {
    typeInto(control<QComboBox>("InRate"), QStringLiteral("0"));
    QTest::mouseClick(control<QRadioButton>("Option1"), Qt::LeftButton);
    control<QComboBox>("FreqPmt")->setCurrentIndex(2);
    calculate();
    QCOMPARE(m_messages.shown.size(), std::size_t(1));
    QCOMPARE(m_messages.shown[0].text, QStringLiteral("Wrong entry, try again"));
    QCOMPARE(m_messages.shown[0].title, QStringLiteral("Help"));
    QCOMPARE(label("InDays"), QStringLiteral("365"));
    QCOMPARE(label("PeriodicR"), QStringLiteral("0."));
    QCOMPARE(label("InMonthPI"), QString());
    QCOMPARE(m_state.DataCount, 0);
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void TestTableWindow::termLimitMessageCarriesTheCaption() {
    m_state.InputValues[3] = Currency::fromDouble(41);
    calculate();
    QCOMPARE(m_messages.shown.size(), std::size_t(1));
    QCOMPARE(m_messages.shown[0].text, QStringLiteral("Wrong entry, 40 Years limit."));
    QCOMPARE(m_messages.shown[0].title, QStringLiteral("Mortgage Tables"));
}

void TestTableWindow::helpPanel() {
    calculate();
    auto* help = control<QPushButton>("Help4");
    auto* panel = control<QPlainTextEdit>("TxtBox");
    QTest::mouseClick(help, Qt::LeftButton);
    QCOMPARE(help->text(), QStringLiteral("Close &Help"));
    QVERIFY(panel->isVisible());
    QVERIFY(!m_window->grid()->isVisible());
    QVERIFY(!control<QPushButton>("Ptr3")->isEnabled());
    QVERIFY(!control<QPushButton>("Graphs")->isEnabled());
    QVERIFY(panel->toPlainText().startsWith(QStringLiteral("To change any pre-programmed number")));
    QVERIFY(
        panel->toPlainText().contains(QStringLiteral("\n\n\n         10%\n\n\n\n          25\n")));

    // The panel is read-only: letters beep, Enter goes back to the principal box.
    QTest::keyClick(panel, Qt::Key_A);
    QCOMPARE(m_messages.beeps, 1);
    QTest::keyClick(panel, Qt::Key_Return);
    QVERIFY(control<QLineEdit>("InPrincipal")->hasFocus());

    // Any change of input closes the panel and blanks the table.
    QTest::keyClick(control<QLineEdit>("InPrincipal"), Qt::Key_5);
    QCOMPARE(help->text(), QStringLiteral("&Help"));
    QVERIFY(!panel->isVisible());
    QVERIFY(m_window->grid()->isVisible());
    QCOMPARE(cell(1, 1), QString());
    QCOMPARE(m_state.DataCount, 0);
    QCOMPARE(m_state.HelpOpen, 0);
}

void TestTableWindow::calculateClosesTheHelpPanel() {
    QTest::mouseClick(control<QPushButton>("Help4"), Qt::LeftButton);
    calculate();
    QCOMPARE(control<QPushButton>("Help4")->text(), QStringLiteral("&Help"));
    QVERIFY(m_window->grid()->isVisible());
    QVERIFY(control<QPushButton>("Ptr3")->isEnabled());
    QCOMPARE(cell(1, 0), QStringLiteral("   1"));
}

void TestTableWindow::showGraphWithoutResults() {
    int requests = 0;
    connect(m_window.get(), &TableWindow::chartRequested, this, [&requests] { ++requests; });
    QTest::mouseClick(control<QPushButton>("Graphs"), Qt::LeftButton);
    QCOMPARE(m_messages.shown.size(), std::size_t(1));
    QCOMPARE(m_messages.shown[0].text, QStringLiteral("No Data to work with. Calculate."));
    QCOMPARE(m_messages.shown[0].title, QStringLiteral("Advisory"));
    QCOMPARE(requests, 0);

    calculate();
    QTest::mouseClick(control<QPushButton>("Graphs"), Qt::LeftButton);
    QCOMPARE(requests, 1);
    QCOMPARE(m_state.ChartSource, 4);
}

// Whatever input changes after Calculate, nothing of the old schedule stays on show or behind
// Show Graph, help panel closed or not.
void TestTableWindow::inputChangeTakesTheResultsAway_data() {
    QTest::addColumn<QString>("change");
    QTest::newRow("term typed") << QStringLiteral("term");
    QTest::newRow("principal typed") << QStringLiteral("principal");
    QTest::newRow("frequency picked") << QStringLiteral("frequency");
    QTest::newRow("every payment shown") << QStringLiteral("view");
}

void TestTableWindow::inputChangeTakesTheResultsAway() {
    QFETCH(QString, change);
    int requests = 0;
    connect(m_window.get(), &TableWindow::chartRequested, this, [&requests] { ++requests; });
    calculate();
    QCOMPARE(cell(1, 0), QStringLiteral("   1"));

    if (change == u"term") {
        typeInto(control<QComboBox>("InTerm"), QStringLiteral("20"));
    } else if (change == u"principal") {
        typeInto(control<QLineEdit>("InPrincipal"), QStringLiteral("5000"));
    } else if (change == u"frequency") {
        auto* frequency = control<QComboBox>("FreqPmt");
        frequency->setCurrentIndex(4);
        emit frequency->activated(4);
    } else {
        QTest::mouseClick(control<QRadioButton>("Option1"), Qt::LeftButton);
    }
    control<QPushButton>("Calc4")->setFocus();

    QCOMPARE(m_state.DataCount, 0);
    for (int row = 1; row <= 27; ++row)
        for (int column = 0; column < 6; ++column)
            QCOMPARE(cell(row, column), QString());
    QTest::mouseClick(control<QPushButton>("Graphs"), Qt::LeftButton);
    QCOMPARE(requests, 0);
    QCOMPARE(m_messages.shown.size(), std::size_t(1));
    QCOMPARE(m_messages.shown[0].text, QStringLiteral("No Data to work with. Calculate."));
}

void TestTableWindow::datesToggle() {
    auto* toggle = control<QPushButton>("DateNumber");
    int asked = 0;
    connect(m_window.get(), &TableWindow::firstPaymentDateRequested, this, [&asked] { ++asked; });
    QTest::mouseClick(control<QRadioButton>("Option1"), Qt::LeftButton);
    QTest::mouseClick(toggle, Qt::LeftButton);
    QCOMPARE(toggle->text(), QStringLiteral("&View Payment No."));
    QCOMPARE(m_state.ShowDates, 1);
    calculate();
    QCOMPARE(cell(0, 0), QStringLiteral(" Payment  Date"));
    QCOMPARE(cell(1, 0), QStringLiteral("1/31/2027"));
    QCOMPARE(cell(2, 0), QStringLiteral("2/28/2027"));

    QTest::mouseClick(toggle, Qt::LeftButton);
    QCOMPARE(toggle->text(), QStringLiteral("&View Payment dates"));
    QCOMPARE(m_state.ShowDates, 0);
    QCOMPARE(asked, 1);
}

void TestTableWindow::exitErasesTheTables() {
    int exits = 0;
    connect(m_window.get(), &TableWindow::exited, this, [&exits] { ++exits; });
    calculate();
    QTest::mouseClick(control<QPushButton>("ExitButt"), Qt::LeftButton);
    QCOMPARE(exits, 1);
    QVERIFY(!m_window->isVisible());
    QVERIFY(!m_state.LastSchedule.rows.isSized());
    QVERIFY(!m_state.PrePayTable.isSized());
    QVERIFY(m_state.InputValues.empty());
    QCOMPARE(m_state.DataCount, 0);
    QCOMPARE(m_state.TableView, 0);
}

// A window destroyed while it shows, with a box being edited: the destruction moves the focus out
// of the box, and the box's last signal must not reach the window being destroyed. A slot that
// still ran would mark an entry as started, or take the typed term as picked from the list and
// erase the additional payments.
void TestTableWindow::destroyedWhileEditing_data() {
    QTest::addColumn<bool>("loan");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");

    QTest::newRow("mortgage term from the list") << false << "InTerm"
                                                 << "30";
    QTest::newRow("loan term from the list") << true << "InTerm"
                                             << "36";
    QTest::newRow("term not in the list") << false << "InTerm"
                                          << "12";
    QTest::newRow("rate") << false << "InRate"
                          << "7";
    QTest::newRow("principal") << true << "InPrincipal"
                               << "5000";
}

void TestTableWindow::destroyedWhileEditing() {
    QFETCH(bool, loan);
    QFETCH(QString, box);
    QFETCH(QString, typed);

    m_window = std::make_unique<TableWindow>(loan ? LoanTablesSetup() : MortgageTablesSetup(),
                                             m_state, m_messages);
    QVERIFY(ShowActive(m_window.get()));
    typeInto(control<QWidget>(qPrintable(box)), typed);
    QCOMPARE(QApplication::focusWidget()->window(), m_window.get());

    m_state.EntryStarted = 0;
    m_state.PrePayTable.at(3, 2) = Currency::fromDouble(1500);
    m_window.reset();
    QCOMPARE(m_state.EntryStarted, 0);
    QCOMPARE(m_state.PrePayTable.at(3, 2), Currency::fromDouble(1500));
    QVERIFY(m_messages.shown.empty());
}

// A window made wider gives the room to its grid, whose columns share it: each shows wider, and
// together they fill the grid. The boxes and results keep their places and widths, so the
// figures padded inside them stay where they were.
void TestTableWindow::widerWindowWidensTheGrid_data() {
    QTest::addColumn<int>("wider");
    QTest::newRow("a little") << 60;
    QTest::newRow("a third") << 270;
    QTest::newRow("twice") << 800;
}

void TestTableWindow::widerWindowWidensTheGrid() {
    QFETCH(int, wider);
    calculate();
    auto* view = m_window->grid()->findChild<QTableView*>();
    const QHeaderView* heading = view->horizontalHeader();
    QList<int> columns;
    QList<int> twips;
    for (int c = 0; c < 6; ++c) {
        columns.append(heading->sectionSize(c));
        twips.append(m_window->grid()->colWidth(c));
    }
    const QStringList names = {"InPrincipal", "InRate",      "InTerm",      "Comperiod",
                               "FreqPmt",     "InDays",      "PeriodicR",   "NumPmtsYear",
                               "InMonthPI",   "EndMortYear", "AllPayments", "TotSavd"};
    QList<QRect> boxes;
    for (const QString& name : names)
        boxes.append(Control<QWidget>(m_window.get(), name)->geometry());
    const int room = view->viewport()->width();

    m_window->resize(m_window->width() + wider, m_window->height());
    QTRY_VERIFY(view->viewport()->width() > room);

    int total = 0;
    for (int c = 0; c < 6; ++c) {
        QVERIFY2(heading->sectionSize(c) > columns[c], qPrintable(QString::number(c)));
        QCOMPARE(m_window->grid()->colWidth(c), twips[c]);
        total += heading->sectionSize(c);
    }
    QCOMPARE(total, view->viewport()->width());
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(Control<QWidget>(m_window.get(), names[i])->geometry(), boxes[i]);
}

QTEST_MAIN(TestTableWindow)
#include "tst_tablewindow.moc"
