// The Qt printer back end: QPrinter for the device, QPainter for the lines.
#include "desktop/platform/qtprinter.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace qb {

namespace {

QFont toQFont(const PrinterFont& font) {
    QFont result = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (font.name != result.family()) {
        result = QFont(font.name);
        // Lets the font matcher fall back to a fixed-pitch face, so a font that is not installed
        // ("Courier New" on Linux) still keeps the columns lined up.
        result.setStyleHint(QFont::TypeWriter);
    }
    if (font.pointSize > 0)
        result.setPointSizeF(font.pointSize);
    result.setBold(font.bold);
    return result;
}

void setUpPage(QPrinter& printer, const QString& reportName) {
    printer.setDocName(reportName);
    // The reports count an 11-inch page less 8 lines, yet a page of a table report prints two
    // lines more than it counts: a quarter inch above and below leaves room for them in any
    // font from 8 points up. The sides leave room for 76 columns of a 12-point fixed font.
    printer.setPageMargins(QMarginsF(0.4, 0.25, 0.4, 0.25), QPageLayout::Inch);
}

std::unique_ptr<QPrinter> pdfPrinter(const QString& reportName) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    // The reports count their lines for an 11-inch page.
    printer->setPageSize(QPageSize(QPageSize::Letter));
    setUpPage(*printer, reportName);
    return printer;
}

} // namespace

PrinterFont QtPrinter::standardFont() {
    return {QFontDatabase::systemFont(QFontDatabase::FixedFont).family(), 12, false};
}

QtPrinter::QtPrinter(const QString& reportName)
    : Printer(standardFont()), m_qfont(toQFont(font())), m_reportName(reportName) {
    const QPrinterInfo installed = QPrinterInfo::defaultPrinter();
    if (!installed.isNull()) {
        m_printer = std::make_unique<QPrinter>(installed, QPrinter::HighResolution);
        setUpPage(*m_printer, reportName);
        return;
    }
    m_printer = pdfPrinter(reportName);
    m_pdfFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (m_pdfFolder.isEmpty())
        m_pdfFolder = QDir::homePath();
}

QtPrinter::QtPrinter(const QString& reportName, const QString& pdfPath)
    : Printer(standardFont()), m_printer(pdfPrinter(reportName)), m_qfont(toQFont(font())),
      m_reportName(reportName) {
    m_printer->setOutputFileName(pdfPath);
}

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer)
    : Printer(standardFont()), m_printer(std::move(printer)), m_qfont(toQFont(font())) {}

QtPrinter::~QtPrinter() {
    if (m_painter.isActive())
        m_painter.end();
}

QString QtPrinter::outputFile() const {
    return m_printer->outputFormat() == QPrinter::PdfFormat ? m_printer->outputFileName()
                                                            : QString();
}

QString QtPrinter::pdfFileName(const QString& reportName, const QDateTime& time,
                               const QString& folder) {
    QString name = reportName.trimmed();
    for (QChar& c : name) {
        if (QStringView(u"/\\:*?\"<>|").contains(c) || c.unicode() < 32)
            c = QLatin1Char('-');
    }
    if (name.isEmpty())
        name = QStringLiteral("Report");
    const QString base = name + QLatin1Char(' ') + time.toString(QStringLiteral("yyyy-MM-dd HHmm"));
    const QDir dir(folder);
    QString path = dir.filePath(base + QStringLiteral(".pdf"));
    for (int copy = 2; QFileInfo::exists(path); ++copy)
        path = dir.filePath(base + QStringLiteral(" (%1).pdf").arg(copy));
    return path;
}

void QtPrinter::printImage(const QImage& image) {
    checkAvailable();
    if (image.isNull())
        return;
    prepareOutput();
    const double pageWidth = m_printer->width();
    const double pageHeight = m_printer->height();
    double scale = pageWidth / image.width();
    if (image.height() * scale > pageHeight)
        scale = pageHeight / image.height();
    const QSizeF size(image.width() * scale, image.height() * scale);
    if (m_y > 0 && m_y + size.height() > pageHeight) {
        newPage();
        prepareOutput();
    }
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter.drawImage(QRectF(QPointF(0, m_y), size), image);
    m_y += size.height();
}

void QtPrinter::openJob() {
    if (!m_pdfFolder.isEmpty()) {
        QDir().mkpath(m_pdfFolder);
        m_printer->setOutputFileName(
            pdfFileName(m_reportName, QDateTime::currentDateTime(), m_pdfFolder));
    }
    if (!m_painter.begin(m_printer.get())) {
        const QString file = outputFile();
        if (!file.isEmpty())
            throw PrinterError(QStringLiteral("The file %1 cannot be written.").arg(file));
        throw PrinterError(QStringLiteral("No printer is installed."));
    }
    m_painter.setFont(m_qfont);
    m_y = 0;
    m_sheets = 1;
}

void QtPrinter::putText(int column, const QString& text) {
    const QFontMetricsF metrics(m_qfont, m_printer.get());
    const double x = (column - 1) * metrics.horizontalAdvance(QLatin1Char('0'));
    m_painter.drawText(QPointF(x, m_y + metrics.ascent()), text);
}

void QtPrinter::endLine() {
    m_y += lineSpacing();
}

void QtPrinter::breakPage() {
    if (!m_printer->newPage())
        throw PrinterError(QStringLiteral("The printer cannot start a new page."));
    m_y = 0;
    ++m_sheets;
}

void QtPrinter::closeJob() {
    if (!m_painter.end())
        throw PrinterError(QStringLiteral("The printer cannot finish the printout."));
}

double QtPrinter::measureTextHeight(const QString&) {
    const int dpi = m_printer->logicalDpiY();
    return dpi > 0 ? lineSpacing() * 1440.0 / dpi : 0;
}

void QtPrinter::applyFont(const PrinterFont& font) {
    m_qfont = toQFont(font);
    if (m_painter.isActive())
        m_painter.setFont(m_qfont);
}

bool QtPrinter::pageIsFull() const {
    return m_painter.isActive() && m_y > 0 && m_y + lineSpacing() > m_printer->height();
}

double QtPrinter::lineSpacing() const {
    return QFontMetricsF(m_qfont, m_printer.get()).lineSpacing();
}

} // namespace qb
