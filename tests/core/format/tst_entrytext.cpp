// Column padding and the input boxes' key filters: amounts must never lose digits to a narrow
// column, and the filters must keep the digit range exact at both ends.
#include "core/format/entrytext.h"
#include "core/state/shared.h"

#include <QTest>

class TestEntryText : public QObject {
    Q_OBJECT

private slots:
    void padColumn_data();
    void padColumn();
    void keyFilters_data();
    void keyFilters();
};

void TestEntryText::padColumn_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");

    QTest::newRow("padded on the left") << "12.50" << 8 << "   12.50";
    QTest::newRow("exact width") << "12.50" << 5 << "12.50";
    QTest::newRow("longer text comes back whole") << "$1,234,567.00" << 11 << "$1,234,567.00";
    QTest::newRow("width zero") << "12.50" << 0 << "12.50";
    QTest::newRow("empty text") << "" << 4 << "    ";
}

void TestEntryText::padColumn() {
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, expected);
    QCOMPARE(qb::PadColumn(text, width), expected);
}

void TestEntryText::keyFilters_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("amountPasses");
    QTest::addColumn<bool>("wholePasses");

    QTest::newRow("digit 7") << int('7') << true << true;
    QTest::newRow("digit 0") << int('0') << true << true;
    QTest::newRow("digit 9") << int('9') << true << true;
    QTest::newRow("slash, below 0") << int('/') << false << false;
    QTest::newRow("colon, above 9") << int(':') << false << false;
    QTest::newRow("decimal point") << int('.') << true << false;
    QTest::newRow("backspace") << 8 << true << true;
    QTest::newRow("127") << 127 << true << true;
    QTest::newRow("letter") << int('a') << false << false;
    QTest::newRow("minus") << int('-') << false << false;
    QTest::newRow("comma") << int(',') << false << false;
    QTest::newRow("space") << int(' ') << false << false;
}

void TestEntryText::keyFilters() {
    QFETCH(int, code);
    QFETCH(bool, amountPasses);
    QFETCH(bool, wholePasses);

    // A key that passes comes through unchanged and silent; a refused one becomes 0 and beeps.
    const qb::FilteredKey amount = qb::AmountKeyFilter(code);
    QCOMPARE(amount.code, amountPasses ? code : 0);
    QCOMPARE(amount.beep, !amountPasses);

    const qb::FilteredKey whole = qb::WholeNumberKeyFilter(code);
    QCOMPARE(whole.code, wholePasses ? code : 0);
    QCOMPARE(whole.beep, !wholePasses);
}

QTEST_GUILESS_MAIN(TestEntryText)
#include "tst_entrytext.moc"
