// Start-up and the main menu as a user meets them: the printer measured or not, the personal
// settings read, the menu over its background, and each button doing what it says.
#include "charts/graphicswindow.h"
#include "core/format/shortdate.h"
#include "core/print/textprinter.h"
#include "core/program/module.h"
#include "core/settings/daysperyear.h"
#include "desktop/application.h"
#include "desktop/platform/grid.h"
#include "desktop/platform/helpviewer.h"
#include "desktop/platform/qtmessagebox.h"
#include "desktop/platform/twips.h"
#include "desktop/windows/comparewindow.h"
#include "desktop/windows/mainmenu.h"
#include "desktop/windows/tablewindow.h"
#include "desktop/windowtest.h"

#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace qb;

namespace {

// Counts the times a window is hidden.
class HideCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Hide;
        return false;
    }
};

} // namespace

class TestApplication : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init();
    void cleanup();

    void startUpWithoutAPrinter();
    void startUpMeasuresThePrinter_data();
    void startUpMeasuresThePrinter();
    void firstRunWithoutSettings();
    void savedNameShowsOnTheMenu();
    void savedNameIsShownAsWritten_data();
    void savedNameIsShownAsWritten();
    void startUpRemovesOldLeftoversOfSaves();
    void menuGeometry();
    void calculationWindowsHideTheMenu_data();
    void calculationWindowsHideTheMenu();
    void tableWindowOpensItsDialogs();
    void showGraphReplacesTheTableWindow_data();
    void showGraphReplacesTheTableWindow();
    void comparisonChartOfThreeRows();
    void chartsThatCannotBeLoaded_data();
    void chartsThatCannotBeLoaded();
    void additionalPaymentsAndDatesReachTheSchedule();
    void personalizeSavesAndShowsTheName();
    void focusReturnsToTheOpener_data();
    void focusReturnsToTheOpener();
    void typedFigureCountsBeforeAnAccessKey_data();
    void typedFigureCountsBeforeAnAccessKey();
    void altLetterTypesNothing_data();
    void altLetterTypesNothing();
    void aboutBox();
    void messageOpensOverTheWindowThatRaisedIt();
    void messageOpensOverTheWindowInUseWhenNoneIsActive();
    void helpViewerDoesNotBlock();
    void exitProgram();

private:
    QPushButton* button(const char* name) {
        return m_program->menu()->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    // Runs action once the next modal dialog is up, then closes it if it is still open.
    void whenModal(std::function<void(QWidget*)> action) {
        QTimer::singleShot(0, this, [action] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            // Focus moves only inside the active window.
            QApplication::setActiveWindow(dialog);
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            action(dialog);
            if (dialog->isVisible())
                dialog->close();
        });
    }
    void start(int lineHeight = 240, bool failing = false) {
        TextPrinter printer(lineHeight);
        printer.setFailing(failing);
        m_program->start(printer);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    RecordingMessageBox m_messages;
    std::unique_ptr<Application> m_program;
};

void TestApplication::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_messages = RecordingMessageBox();
    m_program = std::make_unique<Application>(m_messages, m_dir->path());
}

void TestApplication::cleanup() {
    m_program.reset();
    m_dir.reset();
}

void TestApplication::startUpWithoutAPrinter() {
    start(240, true);
    QCOMPARE(m_program->state().LinesPerPage, 61);
    QVERIFY(m_program->menu()->isVisible());
    QVERIFY(m_messages.shown.empty());
}

void TestApplication::startUpMeasuresThePrinter_data() {
    QTest::addColumn<int>("lineHeight");
    QTest::addColumn<int>("lines");
    QTest::newRow("12-point spacing") << 240 << 58;
    QTest::newRow("250 twips") << 250 << 55;
    QTest::newRow("264 twips") << 264 << 52;
}

void TestApplication::startUpMeasuresThePrinter() {
    QFETCH(int, lineHeight);
    QFETCH(int, lines);
    start(lineHeight);
    QCOMPARE(m_program->state().LinesPerPage, lines);
}

void TestApplication::firstRunWithoutSettings() {
    start();
    const SharedState& state = m_program->state();
    QCOMPARE(state.CurrencySymbol, QStringLiteral("$"));
    QCOMPARE(state.OwnerName, QString());
    QCOMPARE(state.CompoundChoice, 0);
    QCOMPARE(state.PrinterFontChoice, 0);
    QCOMPARE(state.DayFactorChoice, 1);
    QCOMPARE(state.DaysPerYear, 365.0);
    QCOMPARE(state.BiWeeklyPerYear, 26.07142857);
    QCOMPARE(state.WeeklyPerYear, 52.14285714);
    QCOMPARE(state.FirstPayDate, ToShortDate(QDate::currentDate()));
    QVERIFY(!m_program->menu()->findChild<QLabel*>(QStringLiteral("MyName"))->isVisible());
    QVERIFY(m_program->background()->isVisible());
    QCOMPARE(m_program->settingsPath(), m_dir->filePath(QStringLiteral("Personal.Mtg")));
}

// A name that looks like markup is the user's text: shown as written, and the program starts (an
// image tag naming /dev/zero would read it without end).
void TestApplication::savedNameIsShownAsWritten_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("image") << QStringLiteral("<img src=/dev/zero>");
    QTest::newRow("bold") << QStringLiteral("<b>bold</b>");
}

void TestApplication::savedNameIsShownAsWritten() {
    QFETCH(QString, name);
    QFile file(m_dir->filePath(QStringLiteral("Personal.Mtg")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("0,\"" + name.toUtf8() + "\",\"$\",0\r\n");
    file.close();
    start();
    auto* label = m_program->menu()->findChild<QLabel*>(QStringLiteral("MyName"));
    QVERIFY(label->isVisible());
    QCOMPARE(label->text(), name);
    // As wide as the characters themselves, tags included.
    QVERIFY(label->sizeHint().width() >= label->fontMetrics().horizontalAdvance(name));
}

// A save killed before its rename leaves its temporary file; the next start removes it once it is
// old enough not to be a save of another running copy.
void TestApplication::startUpRemovesOldLeftoversOfSaves() {
    const QString old = m_dir->filePath(QStringLiteral("Personal.Mtg.q7Rt2x"));
    const QString recent = m_dir->filePath(QStringLiteral("Personal.Mtg.M4kz0P"));
    for (const QString& path : {old, recent}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("0,\"Ann\",\"$\",0\r\n");
        QVERIFY(file.flush());
        if (path == old) {
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-2 * 3600),
                                     QFileDevice::FileModificationTime));
        }
    }
    start();
    QVERIFY(!QFile::exists(old));
    QVERIFY(QFile::exists(recent));
}

void TestApplication::savedNameShowsOnTheMenu() {
    QFile file(m_dir->filePath(QStringLiteral("Personal.Mtg")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("1,\"Ann Lee\",\"\xe2\x82\xac\",3\r\n");
    file.close();
    start();
    const SharedState& state = m_program->state();
    QCOMPARE(state.PrinterFontChoice, 1);
    QCOMPARE(state.CurrencySymbol, QStringLiteral("€"));
    QCOMPARE(state.CompoundChoice, 3);
    auto* name = m_program->menu()->findChild<QLabel*>(QStringLiteral("MyName"));
    QVERIFY(name->isVisible());
    QCOMPARE(name->text(), QStringLiteral("Ann Lee"));
}

void TestApplication::menuGeometry() {
    start();
    MainMenu* menu = m_program->menu();
    const int dpi = menu->logicalDpiY();
    QCOMPARE(menu->windowTitle(), QStringLiteral("Quillbrook Win95"));
    QCOMPARE(menu->size(), QSize(TwipsToPixels(9480, dpi), TwipsToPixels(6360, dpi)));
    QCOMPARE(m_program->background()->size(), menu->size());
    QCOMPARE(menu->palette().color(QPalette::Window), QColor(0, 0, 255));
    const char* names[] = {"MortCalc", "CompMort", "PersonalLoan", "HowUse",
                           "PtrFnt",   "About1",   "EndMort"};
    for (int i = 0; i < 7; ++i) {
        QPushButton* b = button(names[i]);
        QVERIFY2(b, names[i]);
        QCOMPARE(b->geometry(), QRect(TwipsToPixels(3500, dpi), TwipsToPixels(1200 + 600 * i, dpi),
                                      TwipsToPixels(2800, dpi), TwipsToPixels(465, dpi)));
        if (i > 0)
            QCOMPARE(button(names[i - 1])->nextInFocusChain(), b);
    }
    QCOMPARE(button("MortCalc")->text(), QStringLiteral("Mortgage &Tables"));
    QVERIFY(button("CompMort")->isEnabled());
}

void TestApplication::calculationWindowsHideTheMenu_data() {
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<QString>("formName");
    QTest::addColumn<QString>("exitName");
    QTest::newRow("mortgage tables")
        << QStringLiteral("MortCalc") << QStringLiteral("CdnMort") << QStringLiteral("ExitButt");
    QTest::newRow("loan tables") << QStringLiteral("PersonalLoan") << QStringLiteral("Loans")
                                 << QStringLiteral("ExitButt");
    QTest::newRow("comparisons") << QStringLiteral("CompMort") << QStringLiteral("MortComp")
                                 << QStringLiteral("Exitbut1");
}

void TestApplication::calculationWindowsHideTheMenu() {
    QFETCH(QString, buttonName);
    QFETCH(QString, formName);
    QFETCH(QString, exitName);
    start();
    QTest::mouseClick(button(qPrintable(buttonName)), Qt::LeftButton);
    QWidget* window = m_program->tableWindow();
    if (!window)
        window = m_program->compareWindow();
    QVERIFY(window);
    QCOMPARE(window->objectName(), formName);
    QVERIFY(window->isVisible());
    QVERIFY(!m_program->menu()->isVisible());
    QVERIFY(m_program->background()->isVisible());

    QTest::mouseClick(window->findChild<QPushButton*>(exitName), Qt::LeftButton);
    QVERIFY(m_program->menu()->isVisible());
    QVERIFY(!m_program->tableWindow());
    QVERIFY(!m_program->compareWindow());
    QVERIFY(!m_program->state().LastSchedule.rows.isSized());
}

void TestApplication::tableWindowOpensItsDialogs() {
    start();
    QTest::mouseClick(button("MortCalc"), Qt::LeftButton);
    TableWindow* window = m_program->tableWindow();
    QString opened;
    whenModal([&opened](QWidget* dialog) { opened = dialog->objectName(); });
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("AddPrePay")), Qt::LeftButton);
    QCOMPARE(opened, QStringLiteral("PrePay"));

    whenModal([&opened](QWidget* dialog) { opened = dialog->objectName(); });
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("DateNumber")),
                      Qt::LeftButton);
    QCOMPARE(opened, QStringLiteral("DateInput"));
    QCOMPARE(m_program->state().ShowDates, 1);
}

void TestApplication::showGraphReplacesTheTableWindow_data() {
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<QString>("calcName");
    QTest::addColumn<int>("chartSource");
    QTest::addColumn<int>("points");
    QTest::newRow("mortgage tables")
        << QStringLiteral("MortCalc") << QStringLiteral("Calc4") << 4 << 25;
    QTest::newRow("loan tables") << QStringLiteral("PersonalLoan") << QStringLiteral("Calc2") << 2
                                 << 4;
}

// Show Graph hides the calculation window behind the chart; the chart's exit brings it back with
// its results as they were.
void TestApplication::showGraphReplacesTheTableWindow() {
    QFETCH(QString, buttonName);
    QFETCH(QString, calcName);
    QFETCH(int, chartSource);
    QFETCH(int, points);
    start();
    QTest::mouseClick(button(qPrintable(buttonName)), Qt::LeftButton);
    TableWindow* window = m_program->tableWindow();
    auto* graphs = window->findChild<QPushButton*>(QStringLiteral("Graphs"));
    graphs->click();
    QCOMPARE(m_messages.shown.size(), std::size_t(1));
    QCOMPARE(m_messages.shown[0].text, QStringLiteral("No Data to work with. Calculate."));
    QVERIFY(!m_program->chartWindow());

    window->findChild<QPushButton*>(calcName)->click();
    const QString firstRow = window->grid()->cellText(1, 3);
    graphs->click();
    auto* chart = dynamic_cast<Graphics*>(m_program->chartWindow());
    QVERIFY(chart);
    QVERIFY(chart->isVisible());
    QVERIFY(!window->isVisible());
    QCOMPARE(m_program->state().ChartSource, chartSource);
    QCOMPARE(chart->chartKind(), Graphics::BalanceChart2D);
    QCOMPARE(chart->chart().points(), points);

    chart->findChild<QPushButton*>(QStringLiteral("ExitBut"))->click();
    QVERIFY(!m_program->chartWindow());
    QVERIFY(window->isVisible());
    QCOMPARE(window->grid()->cellText(1, 3), firstRow);
    QVERIFY(!firstRow.isEmpty());
    QVERIFY(m_program->state().LastSchedule.rows.isSized());
}

void TestApplication::comparisonChartOfThreeRows() {
    start();
    QTest::mouseClick(button("CompMort"), Qt::LeftButton);
    CompareWindow* window = m_program->compareWindow();
    QVERIFY(window);
    auto* calculate = window->findChild<QPushButton*>(QStringLiteral("Calc1"));
    for (int i = 0; i < 3; ++i)
        calculate->click();
    window->findChild<QPushButton*>(QStringLiteral("Graphs1"))->click();
    auto* chart = dynamic_cast<Graphics*>(m_program->chartWindow());
    QVERIFY(chart);
    QVERIFY(!window->isVisible());
    QCOMPARE(chart->chartKind(), Graphics::ComparisonChart2D);
    const ChartPicture& picture = chart->chart().picture();
    QCOMPARE(picture.captions,
             (std::vector<QString>{QStringLiteral("Row  1"), QStringLiteral("Row  2"),
                                   QStringLiteral("Row  3")}));
    QCOMPARE(picture.title, QStringLiteral(" Total mortgage interest paid"));
    QVERIFY(picture.values.at(0) > 0);

    chart->findChild<QPushButton*>(QStringLiteral("ExitBut"))->click();
    QVERIFY(!m_program->chartWindow());
    QVERIFY(window->isVisible());
    QCOMPARE(m_program->state().DataCount, 3);
}

// Show Graph loads the charts module. One that is missing or another module is named in an
// advisory, and the calculation window stays as it was, on show all along, results and all; the
// next Show Graph tries again.
void TestApplication::chartsThatCannotBeLoaded_data() {
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<QString>("calcName");
    QTest::addColumn<QString>("graphsName");
    QTest::addColumn<QString>("moduleFile"); // put in the folder as quillbrook-charts.so
    QTest::addColumn<QString>("reason");     // FOLDER stands for the folder

    const QString pdfModule = ModuleFolders(QCoreApplication::applicationDirPath())
                                  .first()
                                  .append(QStringLiteral("/quillbrook-pdf.so"));
    QTest::newRow("mortgage tables, no module")
        << QStringLiteral("MortCalc") << QStringLiteral("Calc4") << QStringLiteral("Graphs")
        << QString() << QStringLiteral("quillbrook-charts.so is not in FOLDER");
    QTest::newRow("comparisons, no module")
        << QStringLiteral("CompMort") << QStringLiteral("Calc1") << QStringLiteral("Graphs1")
        << QString() << QStringLiteral("quillbrook-charts.so is not in FOLDER");
    QTest::newRow("loan tables, the PDF module under its name")
        << QStringLiteral("PersonalLoan") << QStringLiteral("Calc2") << QStringLiteral("Graphs")
        << pdfModule
        << QStringLiteral("FOLDER/quillbrook-charts.so is not the module of that name");
}

void TestApplication::chartsThatCannotBeLoaded() {
    QFETCH(QString, buttonName);
    QFETCH(QString, calcName);
    QFETCH(QString, graphsName);
    QFETCH(QString, moduleFile);
    QFETCH(QString, reason);
    const QTemporaryDir folder;
    if (!moduleFile.isEmpty())
        QVERIFY(QFile::copy(moduleFile, folder.filePath(QStringLiteral("quillbrook-charts.so"))));
    m_program->setModuleFolders({folder.path()});
    start();
    QTest::mouseClick(button(qPrintable(buttonName)), Qt::LeftButton);
    QWidget* window = m_program->tableWindow();
    if (!window)
        window = m_program->compareWindow();
    window->findChild<QPushButton*>(calcName)->click();
    const SharedState before = m_program->state();
    HideCounter hides;
    window->installEventFilter(&hides);

    for (int click = 1; click <= 2; ++click) {
        window->findChild<QPushButton*>(graphsName)->click();
        QCOMPARE(m_messages.shown.size(), std::size_t(click));
        QCOMPARE(m_messages.shown.back().text,
                 QStringLiteral("Charts could not be loaded: ") +
                     QString(reason).replace(QStringLiteral("FOLDER"), folder.path()));
        QCOMPARE(m_messages.shown.back().title, QStringLiteral("Advisory"));
        QVERIFY(!m_program->chartWindow());
        QVERIFY(window->isVisible());
        QCOMPARE(hides.count, 0);
        QVERIFY(!m_program->menu()->isVisible());
        QCOMPARE(m_program->state().DataCount, before.DataCount);
        QCOMPARE(m_program->state().ChartData.rowCount(), before.ChartData.rowCount());
    }
}

// The whole road: amounts typed into the Additional Payments window and a first payment date
// typed into the Input Date window change the next calculation of the Mortgage Tables window.
void TestApplication::additionalPaymentsAndDatesReachTheSchedule() {
    start();
    QTest::mouseClick(button("MortCalc"), Qt::LeftButton);
    TableWindow* window = m_program->tableWindow();
    const auto click = [window](const char* name) {
        QTest::mouseClick(window->findChild<QAbstractButton*>(QString::fromLatin1(name)),
                          Qt::LeftButton);
    };
    click("Option1");

    whenModal([](QWidget* dialog) {
        auto* year = dialog->findChild<QWidget*>(QStringLiteral("InYear"));
        year->setFocus();
        QTest::keyClicks(year, QStringLiteral("3"));
        QTest::keyClick(year, Qt::Key_Return);
        auto* amount = dialog->findChild<QWidget*>(QStringLiteral("InPayment"));
        QTest::keyClicks(amount, QStringLiteral("1500"));
        QTest::keyClick(amount, Qt::Key_Return);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("UsePrePay")),
                          Qt::LeftButton);
    });
    click("AddPrePay");
    QCOMPARE(m_program->state().PrePayCount, 1);

    whenModal([](QWidget* dialog) {
        auto* date = dialog->findChild<QWidget*>(QStringLiteral("InDate"));
        date->setFocus();
        QTest::keyClicks(date, QStringLiteral("1/31/2027"));
        QTest::keyClick(date, Qt::Key_Return);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("OkExit")),
                          Qt::LeftButton);
    });
    click("DateNumber");
    QCOMPARE(m_program->state().FirstPayDate, QStringLiteral("1/31/2027"));

    click("Calc4");
    QVERIFY(m_messages.shown.empty());
    const int rows = m_program->state().LastSchedule.tableRows;
    QVERIFY(rows < 300);
    Grid* grid = window->grid();
    QCOMPARE(grid->cellText(1, 0), QStringLiteral("1/31/2027"));
    QCOMPARE(grid->cellText(2, 0), QStringLiteral("2/28/2027"));
    QCOMPARE(grid->cellText(rows + 2, 0), QStringLiteral("Total:"));
    QCOMPARE(grid->cellText(rows + 6, 0), QStringLiteral("              3"));
    QCOMPARE(grid->cellText(rows + 6, 2), QStringLiteral("1,500.00"));
    QVERIFY(window->findChild<QLabel*>(QStringLiteral("TotSavd"))->text().trimmed() !=
            QStringLiteral("$.00"));
}

void TestApplication::personalizeSavesAndShowsTheName() {
    start();
    bool menuHidden = false;
    whenModal([this, &menuHidden](QWidget* dialog) {
        menuHidden = !m_program->menu()->isVisible();
        QCOMPARE(dialog->objectName(), QStringLiteral("ChangeFnt"));
        m_program->state().OwnerName = QStringLiteral("Ann Lee");
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("ExitFonts")),
                          Qt::LeftButton);
    });
    QTest::mouseClick(button("PtrFnt"), Qt::LeftButton);
    QVERIFY(menuHidden);
    QVERIFY(m_program->menu()->isVisible());
    auto* name = m_program->menu()->findChild<QLabel*>(QStringLiteral("MyName"));
    QVERIFY(name->isVisible());
    QCOMPARE(name->text(), QStringLiteral("Ann Lee"));
    QVERIFY(QFile::exists(m_dir->filePath(QStringLiteral("Personal.Mtg"))));
}

// A dialog opened by its access key from the first box, and closed by Esc, leaves the focus on
// the button that opened it, as a click on the button does.
void TestApplication::focusReturnsToTheOpener_data() {
    QTest::addColumn<QString>("windowButton"); // the menu's button for the window; none: the menu
    QTest::addColumn<QString>("calculate");    // the command clicked first, if any
    QTest::addColumn<QString>("first");        // where the focus is when the key is pressed
    QTest::addColumn<int>("accessKey");        // with Alt
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("opener");
    const auto row = [](const char* name, const char* window, const char* calculate,
                        const char* first, int key, const char* dialog, const char* opener) {
        QTest::newRow(name) << QString::fromLatin1(window) << QString::fromLatin1(calculate)
                            << QString::fromLatin1(first) << key << QString::fromLatin1(dialog)
                            << QString::fromLatin1(opener);
    };
    row("Mortgage Tables, Additional Payments", "MortCalc", "", "InPrincipal", Qt::Key_A, "PrePay",
        "AddPrePay");
    row("Mortgage Tables, Input Date", "MortCalc", "", "InTerm", Qt::Key_V, "DateInput",
        "DateNumber");
    row("Personal Loan Tables, To Printer", "PersonalLoan", "Calc2", "FreqPmt", Qt::Key_P,
        "NamInput", "Ptr2");
    row("Mortgage Comparisons, Additional Payments", "CompMort", "", "InRate", Qt::Key_A, "PrePay",
        "AddPrePay1");
    row("Mortgage Comparisons, To Printer", "CompMort", "Calc1", "InPrincipal", Qt::Key_P,
        "NamInput", "Prt1");
    row("main menu, Personalize Settings", "", "", "MortCalc", Qt::Key_P, "ChangeFnt", "PtrFnt");
}

void TestApplication::focusReturnsToTheOpener() {
    QFETCH(QString, windowButton);
    QFETCH(QString, calculate);
    QFETCH(QString, first);
    QFETCH(int, accessKey);
    QFETCH(QString, dialog);
    QFETCH(QString, opener);
    start();
    QWidget* window = m_program->menu();
    if (!windowButton.isEmpty()) {
        QTest::mouseClick(button(qPrintable(windowButton)), Qt::LeftButton);
        window = m_program->tableWindow();
        if (!window)
            window = m_program->compareWindow();
    }
    QVERIFY(ShowActive(window));
    if (!calculate.isEmpty())
        QTest::mouseClick(Control<QPushButton>(window, calculate), Qt::LeftButton);
    auto* start = Control<QWidget>(window, first);
    start->setFocus(Qt::OtherFocusReason);

    // An access key clicks its button a moment later; Esc closes the dialog once it is up.
    QString opened;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&opened, &closer] {
        QWidget* shown = QApplication::activeModalWidget();
        if (!shown)
            return;
        closer.stop();
        opened = shown->objectName();
        QApplication::setActiveWindow(shown);
        QTest::keyClick(shown->focusWidget() ? shown->focusWidget() : shown, Qt::Key_Escape);
    });
    closer.start(20);
    QTest::keyClick(start, Qt::Key(accessKey), Qt::AltModifier);
    QTRY_COMPARE(opened, dialog);
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QVERIFY(window->isVisible());
    QVERIFY(window->focusWidget());
    QCOMPARE(window->focusWidget()->objectName(), opener);
}

// A figure typed into a box and followed at once by a button's access key is kept before the
// button acts, as when the button is clicked.
void TestApplication::typedFigureCountsBeforeAnAccessKey_data() {
    QTest::addColumn<QString>("windowButton");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("key"); // with Alt
    QTest::newRow("Mortgage Tables, Calculate") << "MortCalc"
                                                << "InPrincipal" << int(Qt::Key_C);
    QTest::newRow("Personal Loan Tables, Calculate") << "PersonalLoan"
                                                     << "InPrincipal" << int(Qt::Key_C);
    QTest::newRow("Mortgage Comparisons, Calculate") << "CompMort"
                                                     << "InPrincipal" << int(Qt::Key_C);
}

void TestApplication::typedFigureCountsBeforeAnAccessKey() {
    QFETCH(QString, windowButton);
    QFETCH(QString, box);
    QFETCH(int, key);
    start();
    QTest::mouseClick(button(qPrintable(windowButton)), Qt::LeftButton);
    QWidget* window = m_program->tableWindow();
    if (!window)
        window = m_program->compareWindow();
    QVERIFY(ShowActive(window));
    auto* edit = Control<QWidget>(window, box);
    edit->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(edit, QStringLiteral("250000"));
    QTest::keyClick(edit, Qt::Key(key), Qt::AltModifier);

    if (CompareWindow* comparisons = m_program->compareWindow()) {
        // The first comparison row's amount of the mortgage.
        QTRY_VERIFY(comparisons->rowGrid()->cellText(1, 4).contains(QStringLiteral("250,000")));
    } else {
        QTRY_COMPARE(m_program->state().LastSchedule.input.principal, 250000.0);
    }
    QVERIFY(m_messages.shown.empty());
}

// Alt with a letter that no access key of the window takes types nothing into a box, as on
// other desktops: what the box holds stays.
void TestApplication::altLetterTypesNothing_data() {
    QTest::addColumn<QString>("windowButton"); // the table window to open first; none: the menu
    QTest::addColumn<QString>("opener");
    QTest::addColumn<QString>("box");
    QTest::newRow("Input Date") << "MortCalc"
                                << "DateNumber"
                                << "InDate";
    QTest::newRow("Personalize, the name") << ""
                                           << "PtrFnt"
                                           << "InMyName";
    QTest::newRow("Personalize, the currency symbol") << ""
                                                      << "PtrFnt"
                                                      << "InSy";
}

void TestApplication::altLetterTypesNothing() {
    QFETCH(QString, windowButton);
    QFETCH(QString, opener);
    QFETCH(QString, box);
    start();
    QWidget* window = m_program->menu();
    if (!windowButton.isEmpty()) {
        QTest::mouseClick(button(qPrintable(windowButton)), Qt::LeftButton);
        window = m_program->tableWindow();
    }
    QVERIFY(ShowActive(window));
    QString before;
    QString after;
    whenModal([&](QWidget* dialog) {
        auto* edit = Control<QLineEdit>(dialog, box);
        edit->setFocus(Qt::OtherFocusReason);
        before = edit->text();
        QTest::keyClick(edit, Qt::Key_Q, Qt::AltModifier);
        after = edit->text();
    });
    QTest::mouseClick(Control<QPushButton>(window, opener), Qt::LeftButton);
    QCOMPARE(after, before);
}

void TestApplication::aboutBox() {
    start();
    QTest::mouseClick(button("About1"), Qt::LeftButton);
    QCOMPARE(m_messages.shown.size(), std::size_t(1));
    QCOMPARE(m_messages.shown[0].title, QStringLiteral(" Quillbrook Win95"));
    QCOMPARE(m_messages.shown[0].buttons, 64);
    const QStringList lines = m_messages.shown[0].text.split(QStringLiteral("\r\n"));
    // The version is the one the project is built as, not one written into the program.
    QCOMPARE(lines[0], QStringLiteral("Quillbrook Win95  version " QB_PROJECT_VERSION));
    QCOMPARE(lines[1], QString(34, u'_'));
    QVERIFY(m_messages.shown[0].text.contains(QStringLiteral("rights")));
    QCOMPARE(
        lines.mid(2),
        QStringList({QString(), QStringLiteral("Copyright (C) 2026 the Quillbrook developers."),
                     QStringLiteral("All rights reserved.")}));
}

void TestApplication::messageOpensOverTheWindowThatRaisedIt() {
    // The boxes' owner is the main menu, hidden while a table window is open.
    QWidget menu;
    menu.setGeometry(0, 0, 300, 200);
    QtMessageBox boxes(&menu);
    SharedState state;
    ApplyDaysPerYear(state, kDefaultDayFactorChoice);
    state.CurrencySymbol = QStringLiteral("$");
    TableWindow window(MortgageTablesSetup(), state, boxes);
    window.move(30, 10);
    QVERIFY(ShowActive(&window));

    QRect box;
    Qt::WindowFlags flags;
    QTimer::singleShot(100, this, [&box, &flags] {
        if (QWidget* shown = QApplication::activeModalWidget()) {
            box = shown->frameGeometry();
            flags = shown->windowFlags();
            shown->close();
        }
    });
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Graphs")), Qt::LeftButton);
    QVERIFY(box.isValid());
    QVERIFY((box.center() - window.frameGeometry().center()).manhattanLength() <= 2);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
}

// A box that just closed, a dialog that is gone or no window manager leaves no window active:
// the box still opens over the window on show, not over the hidden main menu.
void TestApplication::messageOpensOverTheWindowInUseWhenNoneIsActive() {
    QWidget menu;
    menu.setGeometry(0, 0, 300, 200);
    QtMessageBox boxes(&menu);
    QWidget window;
    window.setGeometry(400, 300, 500, 400);
    window.show();
    QWidget dialog;
    QVERIFY(ShowActive(&dialog));
    dialog.hide();
    QApplication::setActiveWindow(nullptr);
    QVERIFY(QApplication::activeWindow() == nullptr);

    QRect box;
    QTimer::singleShot(100, this, [&box] {
        if (QWidget* shown = QApplication::activeModalWidget()) {
            box = shown->frameGeometry();
            shown->close();
        }
    });
    boxes.message(QStringLiteral("Print in Color."), QStringLiteral("Printer"), MbYesNo);
    QVERIFY(box.isValid());
    QVERIFY((box.center() - window.frameGeometry().center()).manhattanLength() <= 2);
}

void TestApplication::helpViewerDoesNotBlock() {
    start();
    QTest::mouseClick(button("HowUse"), Qt::LeftButton);
    HelpViewer* viewer = m_program->helpViewer();
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QVERIFY(!viewer->isModal());
    QVERIFY(m_program->menu()->isVisible());
}

void TestApplication::exitProgram() {
    start();
    QSignalSpy exits(m_program.get(), &Application::exitRequested);
    QTest::mouseClick(button("EndMort"), Qt::LeftButton);
    QCOMPARE(exits.count(), 1);
    m_program->menu()->close();
    QCOMPARE(exits.count(), 2);
}

QTEST_MAIN(TestApplication)
#include "tst_application.moc"
