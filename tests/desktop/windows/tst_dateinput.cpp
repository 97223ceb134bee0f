// The Input Date window driven as a user drives it: keys typed into the date box, Enter and the
// OK button, and what the box, FirstPayDate and the message boxes then show. Dates are in the US
// short form, M/d/yyyy.
#include "desktop/platform/qtmessagebox.h"
#include "desktop/windows/dateinputwindow.h"
#include "desktop/windows/dismissingmessagebox.h"
#include "desktop/windowtest.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace qb;

namespace {

const QString kPreviousDate = QStringLiteral("1/31/2027");

} // namespace

class TestDateInput : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init();
    void cleanup();

    void opensWithTheKeptDate_data();
    void opensWithTheKeptDate();
    void firstKeyReplacesTheDate();
    void validDateIsKept_data();
    void validDateIsKept();
    void textThatIsNotADate_data();
    void textThatIsNotADate();
    void okClosesWithAValidDate();
    void okWithARefusedDateStaysOpen();
    void accessKeyChecksTheDateBeingTyped();
    void closingByTheFrameKeepsWhatWasStored();
    void refusalWithARealMessageBoxDoesNotRepeat();

private:
    void open(MessageBoxService* messages = nullptr);
    QLineEdit* dateBox() { return m_window->findChild<QLineEdit*>(QStringLiteral("InDate")); }
    QPushButton* okButton() { return m_window->findChild<QPushButton*>(QStringLiteral("OkExit")); }
    void typeDate(const QString& text) {
        dateBox()->setFocus();
        QTest::keyClicks(dateBox(), text);
    }

    SharedState m_state;
    RecordingMessageBox m_messages;
    std::unique_ptr<DateInputWindow> m_window;
};

void TestDateInput::init() {
    m_state = SharedState();
    m_state.FirstPayDate = kPreviousDate;
    m_state.EntryStarted = 1;
    m_messages = RecordingMessageBox();
}

void TestDateInput::cleanup() {
    m_window.reset();
}

void TestDateInput::open(MessageBoxService* messages) {
    m_window = std::make_unique<DateInputWindow>(m_state, messages ? *messages : m_messages);
    QVERIFY(ShowActive(m_window.get()));
    QVERIFY(dateBox() && okButton());
}

void TestDateInput::opensWithTheKeptDate_data() {
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("shown");
    QTest::newRow("short form") << kPreviousDate << kPreviousDate;
    QTest::newRow("leading zeros") << QStringLiteral("01/05/2027") << QStringLiteral("1/5/2027");
    QTest::newRow("not a date") << QStringLiteral("someday") << QStringLiteral("someday");
}

void TestDateInput::opensWithTheKeptDate() {
    QFETCH(QString, kept);
    QFETCH(QString, shown);
    m_state.FirstPayDate = kept;
    open();
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Input Date"));
    QCOMPARE(m_window->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
             QStringLiteral(" Type in the date of  the first payment."));
    QCOMPARE(okButton()->text(), QStringLiteral("&OK"));
    QCOMPARE(dateBox()->text(), shown);
    QCOMPARE(m_state.EntryStarted, 0);
    QCOMPARE(m_state.FirstPayDate, kept);
    QVERIFY(dateBox()->hasFocus());
}

void TestDateInput::firstKeyReplacesTheDate() {
    open();
    dateBox()->setCursorPosition(3);
    QTest::keyClick(dateBox(), Qt::Key_5);
    QCOMPARE(dateBox()->text(), QStringLiteral("5"));
    QCOMPARE(m_state.EntryStarted, 1);
    QTest::keyClicks(dateBox(), QStringLiteral("/1"));
    QCOMPARE(dateBox()->text(), QStringLiteral("5/1"));
    QTest::keyClick(dateBox(), Qt::Key_Backspace);
    QCOMPARE(dateBox()->text(), QStringLiteral("5/"));

    // Keys that type nothing leave the date as it is.
    m_state.EntryStarted = 0;
    dateBox()->setText(kPreviousDate);
    QTest::keyClick(dateBox(), Qt::Key_Left);
    QTest::keyClick(dateBox(), Qt::Key_Home);
    QCOMPARE(dateBox()->text(), kPreviousDate);
    QCOMPARE(m_state.EntryStarted, 0);
}

void TestDateInput::validDateIsKept_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("short form") << QStringLiteral("2/5/2028") << QStringLiteral("2/5/2028");
    QTest::newRow("leading zeros") << QStringLiteral("02/05/2028") << QStringLiteral("2/5/2028");
    QTest::newRow("in the past") << QStringLiteral("3/15/1999") << QStringLiteral("3/15/1999");
    QTest::newRow("ISO") << QStringLiteral("2027-01-31") << QStringLiteral("1/31/2027");
    QTest::newRow("blanks around") << QStringLiteral(" 12/1/2030 ") << QStringLiteral("12/1/2030");
}

void TestDateInput::validDateIsKept() {
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    open();
    typeDate(typed);
    QTest::keyClick(dateBox(), Qt::Key_Return);
    QVERIFY(okButton()->hasFocus());
    QVERIFY(m_messages.shown.empty());
    QCOMPARE(dateBox()->text(), kept);
    QCOMPARE(m_state.FirstPayDate, kept);
    QCOMPARE(m_state.EntryStarted, 0);
    QVERIFY(m_window->isVisible());
}

void TestDateInput::textThatIsNotADate_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("words") << QStringLiteral("next week");
    QTest::newRow("no such day") << QStringLiteral("2/30/2027");
    QTest::newRow("day and month swapped") << QStringLiteral("31/1/2027");
    QTest::newRow("two-digit year") << QStringLiteral("1/31/27");
    QTest::newRow("year before 100") << QStringLiteral("1/31/0099");
    QTest::newRow("five-digit year") << QStringLiteral("1/31/20270");
    QTest::newRow("empty") << QStringLiteral("\b");
}

void TestDateInput::textThatIsNotADate() {
    QFETCH(QString, typed);
    open();
    typeDate(typed);
    QTest::keyClick(dateBox(), Qt::Key_Return);
    QCOMPARE(m_messages.shown.size(), std::size_t(1));
    QCOMPARE(m_messages.shown[0].text, QStringLiteral("Not a valid date, try again. "));
    QCOMPARE(m_messages.shown[0].title, QStringLiteral("Entry error"));
    QCOMPARE(m_messages.shown[0].buttons, int(MbOk));
    QCOMPARE(dateBox()->text(), kPreviousDate);
    QCOMPARE(m_state.FirstPayDate, kPreviousDate);
    QCOMPARE(m_state.EntryStarted, 0);
    QTRY_VERIFY(dateBox()->hasFocus());

    // The next key starts a new date.
    QTest::keyClick(dateBox(), Qt::Key_4);
    QCOMPARE(dateBox()->text(), QStringLiteral("4"));
}

void TestDateInput::okClosesWithAValidDate() {
    open();
    typeDate(QStringLiteral("6/1/2029"));
    QTest::mouseClick(okButton(), Qt::LeftButton);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_window->result(), int(QDialog::Accepted));
    QCOMPARE(m_state.FirstPayDate, QStringLiteral("6/1/2029"));
    QVERIFY(m_messages.shown.empty());
}

void TestDateInput::okWithARefusedDateStaysOpen() {
    open();
    typeDate(QStringLiteral("13/13/2029"));
    QTest::mouseClick(okButton(), Qt::LeftButton);
    QCOMPARE(m_messages.shown.size(), std::size_t(1));
    QVERIFY(m_window->isVisible());
    QCOMPARE(dateBox()->text(), kPreviousDate);
    QCOMPARE(m_state.FirstPayDate, kPreviousDate);
    QTRY_VERIFY(dateBox()->hasFocus());

    // The restored date is good: the next OK closes with it.
    QTest::mouseClick(okButton(), Qt::LeftButton);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_window->result(), int(QDialog::Accepted));
    QCOMPARE(m_messages.shown.size(), std::size_t(1));
    QCOMPARE(m_state.FirstPayDate, kPreviousDate);
}

void TestDateInput::accessKeyChecksTheDateBeingTyped() {
    open();
    typeDate(QStringLiteral("7/4/2030"));
    okButton()->click(); // as Alt+O does: no focus change of its own
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_state.FirstPayDate, QStringLiteral("7/4/2030"));

    m_window.reset();
    open();
    typeDate(QStringLiteral("7/44/2030"));
    okButton()->click();
    QCOMPARE(m_messages.shown.size(), std::size_t(1));
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_state.FirstPayDate, QStringLiteral("7/4/2030"));
}

void TestDateInput::closingByTheFrameKeepsWhatWasStored() {
    open();
    typeDate(QStringLiteral("9/9/2031"));
    QTest::keyClick(dateBox(), Qt::Key_Return);
    typeDate(QStringLiteral("10/"));
    m_window->close();
    QCOMPARE(m_window->result(), int(QDialog::Rejected));
    QVERIFY(m_messages.shown.empty());
    QCOMPARE(m_state.FirstPayDate, QStringLiteral("9/9/2031"));
}

void TestDateInput::refusalWithARealMessageBoxDoesNotRepeat() {
    DismissingMessageBox boxes;
    open(&boxes);
    typeDate(QStringLiteral("nonsense"));
    QTest::keyClick(dateBox(), Qt::Key_Return);
    QCOMPARE(boxes.shown, 1);
    QApplication::setActiveWindow(m_window.get());
    QTRY_VERIFY(dateBox()->hasFocus());
    QTest::qWait(300);
    QCOMPARE(boxes.shown, 1);
    QCOMPARE(dateBox()->text(), kPreviousDate);
    QVERIFY(m_window->isVisible());
}

QTEST_MAIN(TestDateInput)
#include "tst_dateinput.moc"
