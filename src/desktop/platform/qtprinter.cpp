// The Qt printer back end: QPrinter for the device, QPainter for the lines.
#include "desktop/platform/qtprinter.h"

#include "core/print/outputfile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPdfWriter>
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

// The reports count an 11-inch page less 8 lines, yet a page of a table report prints two lines
// more than it counts: a quarter inch above and below leaves room for them in any font from 8
// points up. The sides leave room for 76 columns of a 12-point fixed font.
const QMarginsF kMarginsInches(0.4, 0.25, 0.4, 0.25);

// A printer's high resolution, at which a PDF is drawn too.
constexpr int kPdfResolution = 1200;

void setUpPage(QPrinter& printer, const QString& reportName) {
    printer.setDocName(reportName);
    printer.setPageMargins(kMarginsInches, QPageLayout::Inch);
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
        m_device = m_printer.get();
        return;
    }
    setUpPdf(reportName);
    m_pdfFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (m_pdfFolder.isEmpty())
        m_pdfFolder = QDir::homePath();
}

QtPrinter::QtPrinter(const QString& reportName, const QString& pdfPath)
    : Printer(standardFont()), m_qfont(toQFont(font())), m_reportName(reportName),
      m_pdfPath(pdfPath) {
    setUpPdf(reportName);
}

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer)
    : Printer(standardFont()), m_printer(std::move(printer)), m_device(m_printer.get()),
      m_qfont(toQFont(font())) {}

QtPrinter::~QtPrinter() {
    if (m_painter.isActive()) {
        m_painter.end();
        // Nothing can be reported from here; a file that fails is left as it was.
        if (m_output)
            m_output->commit();
    }
}

void QtPrinter::setUpPdf(const QString& reportName) {
    m_output = std::make_unique<OutputFile>();
    m_pdf = std::make_unique<QPdfWriter>(m_output.get());
    m_pdf->setResolution(kPdfResolution);
    m_pdf->setTitle(reportName);
    // The reports count their lines for an 11-inch page.
    m_pdf->setPageSize(QPageSize(QPageSize::Letter));
    m_pdf->setPageMargins(kMarginsInches, QPageLayout::Inch);
    m_device = m_pdf.get();
}

QString QtPrinter::outputFile() const {
    if (m_printer)
        return m_printer->outputFormat() == QPrinter::PdfFormat ? m_printer->outputFileName()
                                                                : QString();
    return m_pdfPath;
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
    const double pageWidth = m_device->width();
    const double pageHeight = m_device->height();
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
    if (m_output) {
        if (!m_pdfFolder.isEmpty()) {
            QDir().mkpath(m_pdfFolder);
            m_pdfPath = pdfFileName(m_reportName, QDateTime::currentDateTime(), m_pdfFolder);
        }
        if (!m_output->start(m_pdfPath))
            throw FileSaveError(m_output->errorString());
    }
    if (!m_painter.begin(m_device)) {
        if (m_output) {
            m_output->discard();
            throw FileSaveError(QStringLiteral("the PDF writer cannot start"));
        }
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
    const QFontMetricsF metrics(m_qfont, m_device);
    const double x = (column - 1) * metrics.horizontalAdvance(QLatin1Char('0'));
    m_painter.drawText(QPointF(x, m_y + metrics.ascent()), text);
}

void QtPrinter::endLine() {
    m_y += lineSpacing();
}

void QtPrinter::breakPage() {
    // A PDF whose file has stopped taking bytes is not drawn on to the end.
    if (m_output && m_output->failed())
        throw FileSaveError(m_output->errorString());
    if (!m_device->newPage())
        throw PrinterError(QStringLiteral("The printer cannot start a new page."));
    m_y = 0;
    ++m_sheets;
}

void QtPrinter::closeJob() {
    if (!m_painter.end()) {
        if (m_output)
            m_output->discard();
        throw PrinterError(QStringLiteral("The printer cannot finish the printout."));
    }
    if (m_output && !m_output->commit())
        throw FileSaveError(m_output->errorString());
}

double QtPrinter::measureTextHeight(const QString&) {
    const int dpi = m_device->logicalDpiY();
    return dpi > 0 ? lineSpacing() * 1440.0 / dpi : 0;
}

void QtPrinter::applyFont(const PrinterFont& font) {
    m_qfont = toQFont(font);
    if (m_painter.isActive())
        m_painter.setFont(m_qfont);
}

bool QtPrinter::pageIsFull() const {
    return m_painter.isActive() && m_y > 0 && m_y + lineSpacing() > m_device->height();
}

double QtPrinter::lineSpacing() const {
    return QFontMetricsF(m_qfont, m_device).lineSpacing();
}

} // namespace qb
