// The Personalize window driven as a user drives it: option buttons clicked, the focus moved on,
// keys typed into the two boxes, and what the shared values and the settings file hold after.
#include "core/settings/daysperyear.h"
#include "core/settings/settingsfile.h"
#include "desktop/windows/personalizewindow.h"
#include "desktop/windowtest.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace qb;

class TestPersonalize : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void captions_data();
    void captions();
    void loadSelectsFromTheState_data();
    void loadSelectsFromTheState();
    void optionClicksSetTheChoices_data();
    void optionClicksSetTheChoices();
    void daysPerYearTakesEffectWhenTheFocusLeavesTheGroup();
    void daysPerYearPickedAndExitedAtOnce();
    void nameEnterMovesToExitAndStoresTheName();
    void clickIntoSymbolEmptiesIt();
    void typedSymbolReplacesTheOldOne();
    void exitWritesTheFile();
    void exitWithEmptiedSymbol();
    void exitWhenTheFileCannotBeWritten();
    void longStoredSymbolIsKeptOnExit();
    void enterOnlyExitsFromTheButton();
    void closingByTheFrameWritesNothing();

private:
    void open();
    template <class T> T* control(const QString& name) { return Control<T>(m_window.get(), name); }
    QRadioButton* option(const char* group, int index) {
        return control<QRadioButton>(QString::fromLatin1(group) + QString::number(index));
    }
    // Clicks on the button's round indicator, where a click always lands whatever the width the
    // layout gives the button.
    static void clickOption(QRadioButton* button) {
        QStyleOptionButton style;
        style.initFrom(button);
        const QRect indicator =
            button->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &style, button);
        QTest::mouseClick(button, Qt::LeftButton, {}, indicator.center());
    }
    void exit() { QTest::mouseClick(control<QPushButton>("ExitFonts"), Qt::LeftButton); }
    QByteArray savedFile() const {
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    SharedState m_state;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    std::unique_ptr<PersonalizeWindow> m_window;
};

void TestPersonalize::init() {
    // The values of a first run: start-up defaults and no settings file.
    m_state = SharedState();
    m_state.DayFactorChoice = kDefaultDayFactorChoice;
    ApplyDaysPerYear(m_state, kDefaultDayFactorChoice);
    m_state.CurrencySymbol = QStringLiteral("$");
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(QStringLiteral("Personal.Mtg"));
    open();
}

void TestPersonalize::open() {
    m_window = std::make_unique<PersonalizeWindow>(m_state, m_path);
    QVERIFY(ShowActive(m_window.get()));
}

void TestPersonalize::cleanup() {
    m_window.reset();
    m_dir.reset();
}

void TestPersonalize::captions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");

    QTest::newRow("Label3") << "Label3"
                            << " Change the currency symbol";
    QTest::newRow("Label2") << "Label2"
                            << " Type in your name";
    QTest::newRow("Frame3") << "Frame3"
                            << "Change interest rate factor - days";
    QTest::newRow("Frame2") << "Frame2"
                            << "Change printer fonts";
    QTest::newRow("Frame1") << "Frame1"
                            << "Change interest compound period";
    QTest::newRow("IRFactor0") << "IRFactor0"
                               << "365.25";
    QTest::newRow("IRFactor1") << "IRFactor1"
                               << "365";
    QTest::newRow("IRFactor6") << "IRFactor6"
                               << "360";
    QTest::newRow("PtrFt1") << "PtrFt1"
                            << "Courier New 11 point font.";
    QTest::newRow("PtrFt0") << "PtrFt0"
                            << "Standard printer font.";
    QTest::newRow("CPeriod4") << "CPeriod4"
                              << "Annual";
    QTest::newRow("CPeriod3") << "CPeriod3"
                              << "Semi-Annual";
    QTest::newRow("CPeriod2") << "CPeriod2"
                              << "Quarterly";
    QTest::newRow("CPeriod1") << "CPeriod1"
                              << "Bi-Monthly";
    QTest::newRow("CPeriod0") << "CPeriod0"
                              << "Monthly";
    QTest::newRow("ExitFonts") << "ExitFonts"
                               << "E&xit to Menu";
}

void TestPersonalize::captions() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QObject* widget = m_window->findChild<QObject*>(name);
    QVERIFY(widget);
    const QByteArray property = qobject_cast<QGroupBox*>(widget) ? "title" : "text";
    QCOMPARE(widget->property(property.constData()).toString(), caption);
}

void TestPersonalize::loadSelectsFromTheState_data() {
    QTest::addColumn<int>("compounding");
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("font");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("name");

    QTest::newRow("first run") << 0 << 1 << 0 << "$"
                               << "";
    QTest::newRow("annual, 365.25, Courier") << 4 << 0 << 1 << "€"
                                             << "Ann Lee";
    QTest::newRow("semi-annual, 360") << 3 << 6 << 0 << "kr"
                                      << "Lee, Ann";
    QTest::newRow("values no button stands for") << 9 << -1 << 5 << "$"
                                                 << "A";
}

void TestPersonalize::loadSelectsFromTheState() {
    QFETCH(int, compounding);
    QFETCH(int, days);
    QFETCH(int, font);
    QFETCH(QString, symbol);
    QFETCH(QString, name);

    m_state.CompoundChoice = static_cast<std::int16_t>(compounding);
    m_state.DayFactorChoice = static_cast<std::int16_t>(days);
    m_state.PrinterFontChoice = static_cast<std::int16_t>(font);
    m_state.CurrencySymbol = symbol;
    m_state.OwnerName = name;
    m_state.EntryStarted = 1;
    open();

    // Exactly the button of each value is selected; a value without a button selects none.
    for (int i = 0; i <= 4; ++i)
        QCOMPARE(option("CPeriod", i)->isChecked(), i == compounding);
    for (int i = 0; i <= 6; ++i)
        QCOMPARE(option("IRFactor", i)->isChecked(), i == days);
    for (int i = 0; i <= 1; ++i)
        QCOMPARE(option("PtrFt", i)->isChecked(), i == font);
    QCOMPARE(control<QLineEdit>("InSy")->text(), symbol);
    QCOMPARE(control<QLineEdit>("InMyName")->text(), name);
    QCOMPARE(m_state.EntryStarted, 0);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Personalize"));
    QVERIFY(m_window->isModal());
}

void TestPersonalize::optionClicksSetTheChoices_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("compounding");
    QTest::addColumn<int>("font");
    QTest::addColumn<int>("days");

    // Starting from Monthly, the standard font and 365 days.
    QTest::newRow("Annual") << "CPeriod4" << 4 << 0 << 1;
    QTest::newRow("Semi-Annual") << "CPeriod3" << 3 << 0 << 1;
    QTest::newRow("Bi-Monthly") << "CPeriod1" << 1 << 0 << 1;
    QTest::newRow("Courier") << "PtrFt1" << 0 << 1 << 1;
    QTest::newRow("360") << "IRFactor6" << 0 << 0 << 6;
    QTest::newRow("365.25") << "IRFactor0" << 0 << 0 << 0;
}

void TestPersonalize::optionClicksSetTheChoices() {
    QFETCH(QString, button);
    QFETCH(int, compounding);
    QFETCH(int, font);
    QFETCH(int, days);

    clickOption(control<QRadioButton>(button));
    QVERIFY(control<QRadioButton>(button)->isChecked());
    QCOMPARE(m_state.CompoundChoice, compounding);
    QCOMPARE(m_state.PrinterFontChoice, font);
    QCOMPARE(m_state.DayFactorChoice, days);
    // A click alone does not change the days in a year yet.
    QCOMPARE(m_state.DaysPerYear, 365.0);
}

void TestPersonalize::daysPerYearTakesEffectWhenTheFocusLeavesTheGroup() {
    clickOption(option("IRFactor", 3));
    QVERIFY(option("IRFactor", 3)->hasFocus());
    // Moving within the group is not leaving it.
    clickOption(option("IRFactor", 0));
    QVERIFY(option("IRFactor", 0)->hasFocus());
    QCOMPARE(m_state.DayFactorChoice, 0);
    QCOMPARE(m_state.DaysPerYear, 365.0);
    QCOMPARE(m_state.WeeklyPerYear, 52.14285714);

    control<QLineEdit>("InMyName")->setFocus(Qt::TabFocusReason);
    QCOMPARE(m_state.DaysPerYear, 365.25);
    QCOMPARE(m_state.BiWeeklyPerYear, 26.08928571);
    QCOMPARE(m_state.WeeklyPerYear, 52.17857143);

    // Leaving to another group works the same way.
    clickOption(option("IRFactor", 2));
    clickOption(option("CPeriod", 2));
    QCOMPARE(m_state.DaysPerYear, 364.0);
    QCOMPARE(m_state.BiWeeklyPerYear, 26.0);
    QCOMPARE(m_state.WeeklyPerYear, 52.0);
}

void TestPersonalize::daysPerYearPickedAndExitedAtOnce() {
    clickOption(option("IRFactor", 6));
    // A shortcut press clicks the button without any focus move first.
    control<QPushButton>("ExitFonts")->click();
    QCOMPARE(m_state.DaysPerYear, 360.0);
    QCOMPARE(m_state.BiWeeklyPerYear, 25.71428571);
    QCOMPARE(m_state.WeeklyPerYear, 51.42857143);
}

void TestPersonalize::nameEnterMovesToExitAndStoresTheName() {
    auto* name = control<QLineEdit>("InMyName");
    name->setFocus(Qt::TabFocusReason);
    m_state.EntryStarted = 1;
    QTest::keyClicks(name, QStringLiteral("Ann Lee"));
    QCOMPARE(m_state.OwnerName, QString());
    QTest::keyClick(name, Qt::Key_Return);
    QVERIFY(control<QPushButton>("ExitFonts")->hasFocus());
    QCOMPARE(name->text(), QStringLiteral("Ann Lee"));
    QCOMPARE(m_state.OwnerName, QStringLiteral("Ann Lee"));
    QCOMPARE(m_state.EntryStarted, 0);
    // Enter was the box's to move on with, not the window's: it is still open.
    QVERIFY(m_window->isVisible());

    // The box holds at most 82 characters.
    name->setFocus(Qt::TabFocusReason);
    name->clear();
    QTest::keyClicks(name, QString(90, u'x'));
    QCOMPARE(name->text().size(), 82);
}

void TestPersonalize::clickIntoSymbolEmptiesIt() {
    auto* symbol = control<QLineEdit>("InSy");
    QCOMPARE(symbol->text(), QStringLiteral("$"));
    QTest::mouseClick(symbol, Qt::LeftButton);
    QCOMPARE(symbol->text(), QString());
    QCOMPARE(m_state.EntryStarted, 1);
    // Leaving the emptied box takes the empty symbol.
    control<QLineEdit>("InMyName")->setFocus(Qt::TabFocusReason);
    QCOMPARE(m_state.CurrencySymbol, QString());
    QCOMPARE(m_state.EntryStarted, 0);
}

void TestPersonalize::typedSymbolReplacesTheOldOne() {
    auto* symbol = control<QLineEdit>("InSy");
    symbol->setFocus(Qt::TabFocusReason);
    symbol->end(false);
    // The euro sign has no key of its own; it comes as typed text.
    QTest::sendKeyEvent(QTest::Click, symbol, Qt::Key_unknown, QStringLiteral("€"), Qt::NoModifier);
    QCOMPARE(symbol->text(), QStringLiteral("€"));
    QCOMPARE(m_state.EntryStarted, 1);
    QCOMPARE(m_state.CurrencySymbol, QStringLiteral("$"));

    QTest::keyClick(symbol, Qt::Key_Return);
    QVERIFY(control<QLineEdit>("InMyName")->hasFocus());
    QCOMPARE(m_state.CurrencySymbol, QStringLiteral("€"));
    QCOMPARE(m_state.EntryStarted, 0);

    // Back in the box, the first key replaces again, later keys add, up to two characters.
    symbol->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(symbol, QStringLiteral("krx"));
    QCOMPARE(symbol->text(), QStringLiteral("kr"));
    // Moving the cursor types nothing and so does not empty the box.
    control<QLineEdit>("InMyName")->setFocus(Qt::TabFocusReason);
    symbol->setFocus(Qt::TabFocusReason);
    QTest::keyClick(symbol, Qt::Key_Left);
    QCOMPARE(symbol->text(), QStringLiteral("kr"));
    QCOMPARE(m_state.EntryStarted, 0);
}

void TestPersonalize::exitWritesTheFile() {
    QSignalSpy saved(m_window.get(), &PersonalizeWindow::settingsSaved);
    clickOption(option("CPeriod", 4));
    clickOption(option("PtrFt", 1));
    auto* name = control<QLineEdit>("InMyName");
    name->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(name, QStringLiteral("Ann Lee"));
    exit();

    QCOMPARE(saved.count(), 1);
    QCOMPARE(savedFile(), QByteArray("1,\"Ann Lee\",\"$\",4\r\n"));
    QCOMPARE(m_window->result(), int(QDialog::Accepted));
    QVERIFY(!m_window->isVisible());

    // The next run reads back what was chosen.
    SharedState next;
    LoadSettings(next, m_path);
    QCOMPARE(next.PrinterFontChoice, 1);
    QCOMPARE(next.OwnerName, QStringLiteral("Ann Lee"));
    QCOMPARE(next.CurrencySymbol, QStringLiteral("$"));
    QCOMPARE(next.CompoundChoice, 4);
}

void TestPersonalize::exitWithEmptiedSymbol() {
    QTest::mouseClick(control<QLineEdit>("InSy"), Qt::LeftButton);
    exit();
    QCOMPARE(savedFile(), QByteArray("0,\"\",\"\",0\r\n"));
    QCOMPARE(m_state.CurrencySymbol, QString());

    SharedState next;
    LoadSettings(next, m_path);
    QCOMPARE(next.CurrencySymbol, QStringLiteral("$"));
}

void TestPersonalize::longStoredSymbolIsKeptOnExit() {
    m_state.CurrencySymbol = QStringLiteral("CHF");
    open();
    QCOMPARE(control<QLineEdit>("InSy")->text(), QStringLiteral("CHF"));
    exit();
    QCOMPARE(m_state.CurrencySymbol, QStringLiteral("CHF"));
    QCOMPARE(savedFile(), QByteArray("0,\"\",\"CHF\",0\r\n"));

    // Typing is still held to two characters.
    open();
    auto* symbol = control<QLineEdit>("InSy");
    symbol->setFocus();
    QTest::keyClicks(symbol, QStringLiteral("EUR"));
    QCOMPARE(symbol->text(), QStringLiteral("EU"));
}

void TestPersonalize::exitWhenTheFileCannotBeWritten() {
    m_path = m_dir->filePath(QStringLiteral("missing/Personal.Mtg"));
    open();
    QSignalSpy saved(m_window.get(), &PersonalizeWindow::settingsSaved);
    clickOption(option("CPeriod", 2));
    auto* symbol = control<QLineEdit>("InSy");
    symbol->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(symbol, QStringLiteral(" £"));
    exit();

    // No message and no signal; the window closes and the choices hold for this run.
    QCOMPARE(saved.count(), 0);
    QVERIFY(!m_window->isVisible());
    QVERIFY(!QFile::exists(m_path));
    QCOMPARE(m_state.CompoundChoice, 2);
    QCOMPARE(m_state.CurrencySymbol, QStringLiteral("£"));
}

void TestPersonalize::enterOnlyExitsFromTheButton() {
    clickOption(option("CPeriod", 1));
    QTest::keyClick(option("CPeriod", 1), Qt::Key_Return);
    QVERIFY(m_window->isVisible());
    QVERIFY(!QFile::exists(m_path));

    auto* exitButton = control<QPushButton>("ExitFonts");
    exitButton->setFocus(Qt::TabFocusReason);
    QTest::keyClick(exitButton, Qt::Key_Return);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(savedFile(), QByteArray("0,\"\",\"$\",1\r\n"));
}

void TestPersonalize::closingByTheFrameWritesNothing() {
    QSignalSpy saved(m_window.get(), &PersonalizeWindow::settingsSaved);
    clickOption(option("CPeriod", 3));
    clickOption(option("IRFactor", 4));
    QVERIFY(m_window->close());

    QVERIFY(!QFile::exists(m_path));
    QCOMPARE(saved.count(), 0);
    QCOMPARE(m_window->result(), int(QDialog::Rejected));
    // The clicks themselves stay in effect for this run.
    QCOMPARE(m_state.CompoundChoice, 3);
    QCOMPARE(m_state.DayFactorChoice, 4);
    QCOMPARE(m_state.DaysPerYear, 362.0);
}

QTEST_MAIN(TestPersonalize)
#include "tst_personalize.moc"
