// The printer rules on the recording printer: columns, moves back to the left, numbers, fields
// that end at their column's edge, page breaks that leave no blank sheet, failures; and the two
// routines around every report, with line heights of 240, 250 and 264 twips standing in for
// different printers.
#include "core/print/printersetup.h"
#include "core/print/textprinter.h"

#include <QTest>

#include <functional>
#include <vector>

using namespace qb;

Q_DECLARE_METATYPE(QList<qb::PrintItem>)
Q_DECLARE_METATYPE(qb::PrinterFont)

namespace qb {

char* toString(const PrinterFont& font) {
    return QTest::toString(
        QStringLiteral("%1 %2%3").arg(font.name).arg(font.pointSize).arg(font.bold ? " bold" : ""));
}

} // namespace qb

namespace {

QString spaces(int count) {
    return QString(count, QLatin1Char(' '));
}

// Prints fine until it is asked for its line height.
class MeasureFailsPrinter : public TextPrinter {
protected:
    double measureTextHeight(const QString&) override { throw PrinterError("no metrics"); }
};

} // namespace

class TestPrinter : public QObject {
    Q_OBJECT

private slots:
    void lineLayout_data();
    void lineLayout();
    void pageNumberInAHeading();
    void pageBreaks();
    void trailingBreaksLeaveNoBlankSheet();
    void jobOpensOnFirstPrint();
    void newJobAfterEndDoc();
    void fontChangesAreRecordedWhereTheyHappen();
    void failingPrinterThrowsFromEveryOperation();

    void setPrinterFontLinesPerPage_data();
    void setPrinterFontLinesPerPage();
    void setPrinterFontChoices_data();
    void setPrinterFontChoices();
    void setPrinterFontOnFailingPrinter();
    void setPrinterFontFailureAfterTheFont();
    void finishPrintout();
    void finishPrintoutOnFailingPrinter();
};

void TestPrinter::lineLayout_data() {
    QTest::addColumn<QList<PrintItem>>("items");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("text at column 40")
        << QList<PrintItem>{At(40), Text("Page")} << QStringList{spaces(39) + "Page"};
    QTest::newRow("texts follow each other")
        << QList<PrintItem>{Text("ab"), Text("cd")} << QStringList{"abcd"};
    QTest::newRow("column below 1 is column 1")
        << QList<PrintItem>{At(0), Text("a"), At(-3), Text("b")} << QStringList{"a", "b"};
    QTest::newRow("moves right pad with spaces")
        << QList<PrintItem>{At(3), Text("a"), At(6), Text("b")} << QStringList{"  a  b"};
    QTest::newRow("move to the current column stays on the line")
        << QList<PrintItem>{Text("abc"), At(4), Text("d")} << QStringList{"abcd"};
    QTest::newRow("move left continues on the next line")
        << QList<PrintItem>{At(10), Text("abc"), At(5), Text("de")}
        << QStringList{spaces(9) + "abc", spaces(4) + "de"};
    QTest::newRow("move left by one column")
        << QList<PrintItem>{Text("abc"), At(3), Text("x")} << QStringList{"abc", "  x"};
    QTest::newRow("number") << QList<PrintItem>{Number(3)} << QStringList{" 3 "};
    QTest::newRow("zero") << QList<PrintItem>{Number(0)} << QStringList{" 0 "};
    QTest::newRow("negative number") << QList<PrintItem>{Number(-12)} << QStringList{"-12 "};
    QTest::newRow("numbers side by side")
        << QList<PrintItem>{Number(1), Number(22)} << QStringList{" 1  22 "};
    QTest::newRow("empty list is an empty line") << QList<PrintItem>{} << QStringList{""};
    QTest::newRow("a move alone is an empty line") << QList<PrintItem>{At(20)} << QStringList{""};

    // Placed(column, width, text) ends the text at column + width - 1.
    QTest::newRow("field of its column's width")
        << QList<PrintItem>{Placed(5, 4, "1234")} << QStringList{spaces(4) + "1234"};
    QTest::newRow("over-long field moves left by its excess")
        << QList<PrintItem>{Placed(10, 5, "1234567")} << QStringList{spaces(7) + "1234567"};
    QTest::newRow("short field is right-aligned")
        << QList<PrintItem>{Placed(10, 5, "12")} << QStringList{spaces(12) + "12"};
    QTest::newRow("over-long field stops at column 1")
        << QList<PrintItem>{Placed(2, 3, "123456")} << QStringList{"123456"};
    QTest::newRow("over-long field moves into the gap before it")
        << QList<PrintItem>{Text("Year"), Placed(10, 8, "1,234.56"), Placed(25, 8, "12,345,678.90")}
        << QStringList{"Year" + spaces(5) + "1,234.56" + spaces(2) + "12,345,678.90"};
    QTest::newRow("shifted field never breaks the line and keeps a blank")
        << QList<PrintItem>{Text("abcdefghij"), Placed(8, 4, "12345")}
        << QStringList{"abcdefghij 12345"};
    QTest::newRow("amount after an amount that fills its column")
        << QList<PrintItem>{Placed(36, 12, "$.00"), Placed(50, 12, "$17,260,984.90")}
        << QStringList{spaces(43) + "$.00 $17,260,984.90"};
    QTest::newRow("amount after a date ending at column 12")
        << QList<PrintItem>{At(2), Text("31 Dec 2049"), Placed(13, 9, "1,234,567.89")}
        << QStringList{" 31 Dec 2049 1,234,567.89"};
    QTest::newRow("a field's leading blanks do not count")
        << QList<PrintItem>{Text("abcdefgh"), Placed(10, 4, "     12")}
        << QStringList{"abcdefgh   12"};
    QTest::newRow("a field keeps the line's trailing blank")
        << QList<PrintItem>{Text("ab "), Placed(2, 3, "123")} << QStringList{"ab 123"};
    QTest::newRow("CR LF ends the line, the rest starts at column 1")
        << QList<PrintItem>{At(5), Text("ab\r\ncd\r\n")} << QStringList{spaces(4) + "ab", "cd", ""};
    QTest::newRow("a lone carriage return is no break")
        << QList<PrintItem>{Text("a\rb")} << QStringList{"a\rb"};
}

void TestPrinter::lineLayout() {
    QFETCH(QList<PrintItem>, items);
    QFETCH(QStringList, lines);

    TextPrinter printer;
    printer.print(std::span<const PrintItem>(items.constData(), size_t(items.size())));
    QCOMPARE(printer.pages().size(), 1);
    QCOMPARE(printer.pages().first(), lines);
}

void TestPrinter::pageNumberInAHeading() {
    TextPrinter printer;
    printer.print({Text("Mortgage"), At(40), Text("Page"), Number(printer.page())});
    printer.newPage();
    printer.print({Text("Mortgage"), At(40), Text("Page"), Number(printer.page())});
    printer.endDoc();

    const QString heading = "Mortgage" + spaces(31) + "Page";
    QCOMPARE(printer.text(), heading + " 1 \n\f" + heading + " 2 \n");
}

void TestPrinter::pageBreaks() {
    TextPrinter printer;
    printer.print({Text("a")});
    printer.printEmptyLine();
    QCOMPARE(printer.page(), 1);
    printer.newPage();
    QCOMPARE(printer.page(), 2);
    printer.print({Text("b")});
    // Two breaks in a row leave the page between them blank, as asked.
    printer.newPage();
    printer.newPage();
    QCOMPARE(printer.page(), 4);
    printer.printEmptyLine();
    printer.print({Text("c")});
    printer.endDoc();

    const QList<QStringList> expected{{"a", ""}, {"b"}, {}, {"", "c"}};
    QCOMPARE(printer.pages(), expected);
    QCOMPARE(printer.text(), QString("a\n\n\fb\n\f\f\nc\n"));
    QCOMPARE(printer.endDocCount(), 1);
    QVERIFY(!printer.isPrinting());
}

void TestPrinter::trailingBreaksLeaveNoBlankSheet() {
    TextPrinter printer;
    printer.print({Text("last line")});
    printer.newPage();
    printer.newPage();
    printer.endDoc();

    QCOMPARE(printer.pages(), QList<QStringList>{{"last line"}});
    QCOMPARE(printer.text(), QString("last line\n"));
}

void TestPrinter::jobOpensOnFirstPrint() {
    TextPrinter printer;
    printer.setFont({"Courier New", 10, false});
    QCOMPARE(printer.textHeight("abc"), 240.0);
    printer.endDoc();
    QVERIFY(!printer.isPrinting());
    QVERIFY(printer.pages().isEmpty());
    QCOMPARE(printer.endDocCount(), 0);

    printer.printEmptyLine();
    QVERIFY(printer.isPrinting());
    QCOMPARE(printer.pages(), QList<QStringList>{{""}});
}

void TestPrinter::newJobAfterEndDoc() {
    TextPrinter printer;
    printer.print({Text("first job")});
    printer.newPage();
    printer.print({Text("page 2")});
    printer.endDoc();
    QCOMPARE(printer.page(), 1);

    printer.print({Text("second job")});
    QCOMPARE(printer.page(), 1);
    QCOMPARE(printer.pages(), QList<QStringList>{{"second job"}});
    printer.endDoc();
    QCOMPARE(printer.endDocCount(), 2);
}

void TestPrinter::fontChangesAreRecordedWhereTheyHappen() {
    TextPrinter printer;
    const PrinterFont courier{"Courier New", 11, false};
    const PrinterFont heading{"Arial", 14, true};

    QCOMPARE(printer.font(), TextPrinter::standardFont());
    printer.setFont(heading);
    printer.print({Text("Title")});
    printer.setFont(courier);
    printer.print({Text("row 1")});
    printer.print({Text("row 2")});
    printer.newPage();
    printer.setFont(heading); // before the break is carried out: the top of page 2
    printer.print({Text("Title")});

    QCOMPARE(printer.font(), heading);
    const auto& history = printer.fontHistory();
    QCOMPARE(history.size(), 3);
    QCOMPARE(history[0].page, 1);
    QCOMPARE(history[0].line, 0);
    QCOMPARE(history[0].font, heading);
    QCOMPARE(history[1].page, 1);
    QCOMPARE(history[1].line, 1);
    QCOMPARE(history[1].font, courier);
    QCOMPARE(history[2].page, 2);
    QCOMPARE(history[2].line, 0);
    QCOMPARE(history[2].font, heading);
}

void TestPrinter::failingPrinterThrowsFromEveryOperation() {
    const std::vector<std::pair<const char*, std::function<void(TextPrinter&)>>> operations{
        {"print",
         [](TextPrinter& p) {
             p.print({Text("x")});
         }},
        {"empty line",
         [](TextPrinter& p) {
             p.printEmptyLine();
         }},
        {"newPage",
         [](TextPrinter& p) {
             p.newPage();
         }},
        {"endDoc",
         [](TextPrinter& p) {
             p.endDoc();
         }},
        {"textHeight",
         [](TextPrinter& p) {
             p.textHeight("abc");
         }},
        {"setFont",
         [](TextPrinter& p) {
             p.setFont({"Courier New", 11, false});
         }},
    };

    for (const auto& [name, operation] : operations) {
        for (bool jobOpen : {false, true}) {
            TextPrinter printer;
            if (jobOpen)
                printer.print({Text("before")});
            printer.setFailing(true);
            bool thrown = false;
            try {
                operation(printer);
            } catch (const PrinterError&) {
                thrown = true;
            }
            if (!thrown)
                QFAIL(qPrintable(
                    QStringLiteral("%1 did not throw (job open: %2)").arg(name).arg(jobOpen)));
            QCOMPARE(printer.isPrinting(), jobOpen);
            QCOMPARE(printer.page(), 1);
            QCOMPARE(printer.font(), TextPrinter::standardFont());
            QVERIFY(printer.fontHistory().isEmpty());
        }
    }

    // A printer that comes back works normally.
    TextPrinter printer;
    printer.setFailing(true);
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.printEmptyLine());
    printer.setFailing(false);
    printer.print({Text("ok")});
    QCOMPARE(printer.pages(), QList<QStringList>{{"ok"}});
}

void TestPrinter::setPrinterFontLinesPerPage_data() {
    QTest::addColumn<int>("choice");
    QTest::addColumn<double>("lineHeight");
    QTest::addColumn<int>("linesPerPage");

    // 15840 twips (11 inches) / height - 8, to the nearest, halves to even. LinesPerPage is 33
    // before each run, so the rows that expect 33 expect it left alone.
    for (int choice : {0, 1}) {
        const QByteArray font = choice == 0 ? "standard font, " : "Courier New 11, ";
        QTest::newRow(font + "240 twips") << choice << 240.0 << 58;
        QTest::newRow(font + "250 twips") << choice << 250.0 << 55; // 55.36
        QTest::newRow(font + "264 twips") << choice << 264.0 << 52;
    }
    QTest::newRow("41.5 rounds up to even") << 1 << 320.0 << 42;
    QTest::newRow("74.5 rounds down to even") << 1 << 192.0 << 74;
    QTest::newRow("fractional height") << 1 << 248.756 << 56; // 55.68
    QTest::newRow("zero height keeps the value") << 0 << 0.0 << 33;
    QTest::newRow("negative height keeps the value") << 0 << -240.0 << 33;
    QTest::newRow("too many lines for the value keeps it") << 0 << 0.01 << 33;
    // A line taller than the page less 8 lines leaves no line to print a report on.
    QTest::newRow("one line left") << 0 << 1800.0 << 1;                 // 0.8
    QTest::newRow("no line left keeps the value") << 0 << 1980.0 << 33; // 0
    QTest::newRow("font taller than the page keeps the value") << 0 << 20000.0 << 33;
}

void TestPrinter::setPrinterFontLinesPerPage() {
    QFETCH(int, choice);
    QFETCH(double, lineHeight);
    QFETCH(int, linesPerPage);

    SharedState state;
    state.PrinterFontChoice = static_cast<std::int16_t>(choice);
    state.LinesPerPage = 33;
    TextPrinter printer(lineHeight);
    SetPrinterFont(state, printer);
    QCOMPARE(state.LinesPerPage, linesPerPage);
}

void TestPrinter::setPrinterFontChoices_data() {
    QTest::addColumn<int>("choice");
    QTest::addColumn<bool>("fontSet");
    QTest::addColumn<PrinterFont>("expected");

    const PrinterFont before{"Arial", 14, true};
    QTest::newRow("0 keeps the printer's font") << 0 << false << before;
    QTest::newRow("1 Courier New 11") << 1 << true << PrinterFont{"Courier New", 11, false};
    QTest::newRow("2 Courier New at the current size")
        << 2 << true << PrinterFont{"Courier New", 14, false};
}

void TestPrinter::setPrinterFontChoices() {
    QFETCH(int, choice);
    QFETCH(bool, fontSet);
    QFETCH(PrinterFont, expected);

    SharedState state;
    state.PrinterFontChoice = static_cast<std::int16_t>(choice);
    TextPrinter printer(264);
    printer.setFont({"Arial", 14, true});
    const int fontsBefore = int(printer.fontHistory().size());

    SetPrinterFont(state, printer);

    // The job is open and holds exactly the one empty line, printed before any font change.
    QVERIFY(printer.isPrinting());
    QCOMPARE(printer.pages(), QList<QStringList>{{""}});
    QCOMPARE(printer.font(), expected);
    QCOMPARE(printer.fontHistory().size(), fontsBefore + (fontSet ? 1 : 0));
    if (fontSet) {
        const TextPrinter::FontChange& change = printer.fontHistory().last();
        QCOMPARE(change.page, 1);
        QCOMPARE(change.line, 1);
        QCOMPARE(change.font, expected);
    }
    QCOMPARE(state.LinesPerPage, 52);
}

void TestPrinter::setPrinterFontOnFailingPrinter() {
    SharedState state;
    state.PrinterFontChoice = 1;
    state.LinesPerPage = 33;
    TextPrinter printer;
    printer.setFailing(true);
    try {
        SetPrinterFont(state, printer);
    } catch (...) {
        QFAIL("SetPrinterFont let a printer failure out");
    }
    QCOMPARE(state.LinesPerPage, 33);
    QVERIFY(printer.pages().isEmpty());
}

void TestPrinter::setPrinterFontFailureAfterTheFont() {
    SharedState state;
    state.PrinterFontChoice = 1;
    state.LinesPerPage = 33;
    MeasureFailsPrinter printer;
    try {
        SetPrinterFont(state, printer);
    } catch (...) {
        QFAIL("SetPrinterFont let a printer failure out");
    }
    // The steps before the failure took effect; the page length did not change.
    QCOMPARE(printer.pages(), QList<QStringList>{{""}});
    QCOMPARE(printer.font(), (PrinterFont{"Courier New", 11, false}));
    QCOMPARE(state.LinesPerPage, 33);
}

void TestPrinter::finishPrintout() {
    SharedState state;
    state.PrinterFontChoice = 1;
    TextPrinter printer;
    SetPrinterFont(state, printer);
    printer.print({Text("row")});
    FinishPrintout(printer);

    QVERIFY(!printer.isPrinting());
    QCOMPARE(printer.endDocCount(), 1);
    QCOMPARE(printer.pages(), (QList<QStringList>{{"", "row"}}));
}

void TestPrinter::finishPrintoutOnFailingPrinter() {
    TextPrinter printer;
    printer.print({Text("row")});
    printer.setFailing(true);
    QVERIFY_THROWS_EXCEPTION(PrinterError, FinishPrintout(printer));
    QCOMPARE(printer.endDocCount(), 0);

    TextPrinter neverOpened;
    neverOpened.setFailing(true);
    QVERIFY_THROWS_EXCEPTION(PrinterError, FinishPrintout(neverOpened));
}

QTEST_GUILESS_MAIN(TestPrinter)
#include "tst_printer.moc"
