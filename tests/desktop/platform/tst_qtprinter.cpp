// The Qt printer writing PDF files into a temporary folder: a readable file, as many pages as
// the report asked for and no blank sheet at the end, pages that run full, window images, the
// file name of the documents-folder route, a printer that cannot be opened, and a PDF that
// cannot be saved: the old file kept whole and the user told.
#include "core/print/printersetup.h"
#include "core/program/messagebox.h"
#include "desktop/platform/qtprinter.h"
#include "desktop/platform/qtprintservice.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace qb;

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Page objects in a PDF; the page tree's "/Type /Pages" does not count.
int pdfPageCount(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    int count = 0;
    for (auto match = page.globalMatch(QString::fromLatin1(pdf)); match.hasNext(); match.next())
        ++count;
    return count;
}

} // namespace

class TestQtPrinter : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void printsAPdf();
    void pageCount_data();
    void pageCount();
    void fullPageContinuesOnTheNext();
    void linesPerPageFitOnASheet_data();
    void linesPerPageFitOnASheet();
    void standardFontHeightIsPlausible();
    void windowImage();
    void openJobIsEndedWhenThePrinterGoes();
    void noPrinterInstalled();
    void unwritableFile();
    void documentsFileName();
    void fullDeviceIsNotAPdf();
    void oldPdfStaysUntilTheNewIsWhole();
    void unsavedPdfIsShownAsAdvisory();

private:
    QString pdfPath(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
};

void TestQtPrinter::printsAPdf() {
    const QString path = pdfPath("table.pdf");
    QtPrinter printer("Mortgage Table", path);
    printer.print({Text("Mortgage Table"), At(40), Text("Page"), Number(printer.page())});
    printer.printEmptyLine();
    printer.print({At(5), Text("1"), Placed(10, 12, "1,234.56")});
    FinishPrintout(printer);

    QCOMPARE(printer.outputFile(), path);
    const QByteArray pdf = readFile(path);
    QVERIFY(pdf.startsWith("%PDF"));
    QCOMPARE(pdfPageCount(pdf), 1);
}

void TestQtPrinter::pageCount_data() {
    QTest::addColumn<QString>("script"); // l: a line, n: newPage, e: endDoc, f: FinishPrintout
    QTest::addColumn<int>("pages");

    QTest::newRow("one page then finish") << "lllf" << 1;
    QTest::newRow("two pages then finish") << "llnllf" << 2;
    QTest::newRow("breaks in a row then finish") << "lnnf" << 1;
    QTest::newRow("blank page between two breaks") << "lnnlf" << 3;
    QTest::newRow("endDoc without a break") << "lle" << 1;
}

void TestQtPrinter::pageCount() {
    QFETCH(QString, script);
    QFETCH(int, pages);

    const QString path = pdfPath("pages.pdf");
    {
        QtPrinter printer("Pages", path);
        for (QChar step : script) {
            if (step == 'l')
                printer.print({Text("line on page"), Number(printer.page())});
            else if (step == 'n')
                printer.newPage();
            else if (step == 'e')
                printer.endDoc();
            else
                FinishPrintout(printer);
        }
        QVERIFY(!printer.isPrinting());
        QCOMPARE(printer.sheetCount(), pages);
    }
    QCOMPARE(pdfPageCount(readFile(path)), pages);
}

void TestQtPrinter::fullPageContinuesOnTheNext() {
    // A 12-point line is at least 240 twips and, in any font the system would pick, below 400;
    // a 10-inch printable height (Letter less half-inch margins) holds 36 to 60 of them.
    const QString path = pdfPath("long.pdf");
    QtPrinter printer("Long", path);
    for (int line = 1; line <= 200; ++line)
        printer.print({Text("line"), Number(line)});
    const int pages = printer.page();
    QCOMPARE(printer.sheetCount(), pages);
    QVERIFY2(pages >= 4 && pages <= 6, qPrintable(QString::number(pages)));
    FinishPrintout(printer);
    QCOMPARE(pdfPageCount(readFile(path)), pages);
}

void TestQtPrinter::linesPerPageFitOnASheet_data() {
    QTest::addColumn<int>("choice");
    QTest::newRow("standard font") << 0;
    QTest::newRow("Courier New 11") << 1;
    QTest::newRow("Courier New at the standard size") << 2;
}

void TestQtPrinter::linesPerPageFitOnASheet() {
    QFETCH(int, choice);

    // What the reports count on: a table report's later page is SetPrinterFont's empty line, 5
    // heading lines, LinesPerPage - 7 rows and 3 lines ending in the page line, LinesPerPage + 2
    // lines in all; they fit on one sheet, so the report's own page breaks are the only ones.
    SharedState state;
    state.PrinterFontChoice = static_cast<std::int16_t>(choice);
    QtPrinter printer("Fit", pdfPath("fit.pdf"));
    SetPrinterFont(state, printer);
    QVERIFY2(state.LinesPerPage >= 30 && state.LinesPerPage <= 60,
             qPrintable(QString::number(state.LinesPerPage)));
    for (int line = 1; line <= state.LinesPerPage + 1; ++line)
        printer.print({Text("row"), Number(line)});
    QCOMPARE(printer.page(), 1);
    FinishPrintout(printer);
    QCOMPARE(printer.sheetCount(), 1);
}

void TestQtPrinter::standardFontHeightIsPlausible() {
    QtPrinter printer("Height", pdfPath("height.pdf"));
    QCOMPARE(printer.font(), QtPrinter::standardFont());
    QCOMPARE(printer.font().pointSize, 12.0);
    const double standard = printer.textHeight("abc");
    QVERIFY2(standard > 150 && standard < 400, qPrintable(QString::number(standard)));
    QVERIFY(!printer.isPrinting()); // measuring opens no job

    printer.setFont({"Courier New", 11, false});
    const double courier = printer.textHeight("abc");
    QVERIFY2(courier > 150 && courier < 400, qPrintable(QString::number(courier)));
    printer.setFont({"Courier New", 22, false});
    QVERIFY(printer.textHeight("abc") > courier * 1.5);
}

void TestQtPrinter::windowImage() {
    const QString path = pdfPath("image.pdf");
    QtPrinter printer("Window", path);
    QImage wide(400, 100, QImage::Format_RGB32);
    wide.fill(Qt::blue);
    QImage tall(100, 200, QImage::Format_RGB32);
    tall.fill(Qt::red);

    printer.print({Text("Chart")});
    printer.printImage(wide); // a quarter of the width in height: fits below the line
    QCOMPARE(printer.page(), 1);
    printer.printImage(tall); // scaled down to the page height: needs a page of its own
    QCOMPARE(printer.page(), 2);
    FinishPrintout(printer);

    QCOMPARE(printer.sheetCount(), 2);
    QCOMPARE(pdfPageCount(readFile(path)), 2);
}

void TestQtPrinter::openJobIsEndedWhenThePrinterGoes() {
    const QString path = pdfPath("abandoned.pdf");
    {
        QtPrinter printer("Abandoned", path);
        printer.print({Text("printed before the report stopped")});
    }
    const QByteArray pdf = readFile(path);
    QVERIFY(pdf.startsWith("%PDF"));
    QVERIFY(pdf.trimmed().endsWith("%%EOF"));
}

void TestQtPrinter::noPrinterInstalled() {
    auto device = std::make_unique<QPrinter>(QPrinter::HighResolution);
    device->setOutputFormat(QPrinter::NativeFormat);
    device->setPrinterName(QStringLiteral("quillbrook-no-such-printer"));
    QtPrinter printer(std::move(device));

    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.printEmptyLine());
    QVERIFY(!printer.isPrinting());
    QVERIFY_THROWS_EXCEPTION(PrinterError, FinishPrintout(printer));

    // SetPrinterFont meets the same failure and keeps it to itself.
    SharedState state;
    state.PrinterFontChoice = 1;
    state.LinesPerPage = 33;
    SetPrinterFont(state, printer);
    QCOMPARE(state.LinesPerPage, 33);
}

void TestQtPrinter::unwritableFile() {
    QtPrinter printer("Nowhere", m_dir.filePath("missing folder/out.pdf"));
    QVERIFY_THROWS_EXCEPTION(PrinterError, printer.print({Text("x")}));
    QVERIFY(!printer.isPrinting());
}

void TestQtPrinter::documentsFileName() {
    const QDateTime time(QDate(2026, 12, 8), QTime(21, 30, 59));
    const QString folder = m_dir.filePath("docs");
    QVERIFY(QDir().mkpath(folder));

    const QString first = QtPrinter::pdfFileName("Mortgage Table", time, folder);
    QCOMPARE(first, folder + "/Mortgage Table 2026-12-08 2130.pdf");

    // A printout from the same minute does not replace the earlier one.
    QVERIFY(QFile(first).open(QIODevice::WriteOnly));
    const QString second = QtPrinter::pdfFileName("Mortgage Table", time, folder);
    QCOMPARE(second, folder + "/Mortgage Table 2026-12-08 2130 (2).pdf");
    QVERIFY(QFile(second).open(QIODevice::WriteOnly));
    QCOMPARE(QtPrinter::pdfFileName("Mortgage Table", time, folder),
             folder + "/Mortgage Table 2026-12-08 2130 (3).pdf");

    QCOMPARE(QtPrinter::pdfFileName("Loan 5/10: A?", time, folder),
             folder + "/Loan 5-10- A- 2026-12-08 2130.pdf");
    QCOMPARE(QtPrinter::pdfFileName("  ", time, folder), folder + "/Report 2026-12-08 2130.pdf");
}

void TestQtPrinter::fullDeviceIsNotAPdf() {
    {
        QtPrinter printer("Full", "/dev/full");
        for (int line = 1; line <= 20; ++line)
            printer.print({Text("line"), Number(line)});
        QVERIFY_THROWS_EXCEPTION(FileSaveError, FinishPrintout(printer));
    }
    // Written in place, never replaced: still the device.
    QVERIFY(QFileInfo::exists("/dev/full"));
    QVERIFY(!QFileInfo("/dev/full").isFile());
}

void TestQtPrinter::oldPdfStaysUntilTheNewIsWhole() {
    const QString path = pdfPath("kept.pdf");
    const QString oldName = pdfPath("kept-old.pdf");
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the old report");
    }
    // A second name of the old file: a PDF written over it in place would change it too.
    QCOMPARE(::link(qPrintable(path), qPrintable(oldName)), 0);

    QtPrinter printer("Kept", path);
    printer.print({Text("the new report")});
    QCOMPARE(readFile(path), QByteArray("the old report"));
    FinishPrintout(printer);
    QVERIFY(readFile(path).startsWith("%PDF"));
    QCOMPARE(readFile(oldName), QByteArray("the old report"));
    QCOMPARE(QDir(m_dir.path()).entryList({"kept*"}, QDir::Files),
             QStringList({"kept-old.pdf", "kept.pdf"}));
}

// With no printer the report goes to the documents folder; one that cannot hold a file gives
// the message, and the program goes on.
void TestQtPrinter::unsavedPdfIsShownAsAdvisory() {
    QVERIFY(QDir().mkpath(m_dir.filePath("config")));
    {
        QFile dirs(m_dir.filePath("config/user-dirs.dirs"));
        QVERIFY(dirs.open(QIODevice::WriteOnly));
        dirs.write("XDG_DOCUMENTS_DIR=\"/dev/null/Documents\"\n");
    }
    const bool hadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath("config")));

    RecordingMessageBox messages;
    QtPrintService service(messages);
    service.printReport("Unsaved", [](Printer& printer) {
        printer.print({Text("a report")});
        FinishPrintout(printer);
    });
    if (hadConfig)
        qputenv("XDG_CONFIG_HOME", oldConfig);
    else
        qunsetenv("XDG_CONFIG_HOME");

    QCOMPARE(messages.shown.size(), std::size_t(1));
    QCOMPARE(messages.shown[0].text,
             QStringLiteral("The file could not be saved: Not a directory"));
    QCOMPARE(messages.shown[0].title, QStringLiteral("Advisory"));
}

QTEST_MAIN(TestQtPrinter)
#include "tst_qtprinter.moc"
