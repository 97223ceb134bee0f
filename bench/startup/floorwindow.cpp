// The floor of the start-up benchmark: what any program pays that does what quillbrook's
// start-up must keep, and nothing of its own. It looks up the default printer (which loads the
// CUPS plugin), measures a line of the system's fixed-pitch font at 12 points on a 1,200 dpi PDF
// device as the start-up does with no printer installed, and shows a window with the main
// menu's seven buttons and its title in bold, so its first paint loads the font database as the
// menu's does. Given "text", it skips the printer look-up and measurement: what the text alone
// costs.
#include <QApplication>
#include <QBuffer>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLabel>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstring>

namespace {

void lookUpAndMeasurePrinter() {
    [[maybe_unused]] const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    QBuffer pdf;
    QPdfWriter device(&pdf);
    device.setResolution(1200);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(12);
    [[maybe_unused]] const double lineSpacing = QFontMetricsF(fixed, &device).lineSpacing();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2 || std::strcmp(argv[1], "text") != 0)
        lookUpAndMeasurePrinter();

    QWidget window;
    window.setObjectName(QStringLiteral("FloorWindow"));
    window.setWindowTitle(QStringLiteral("Floor window"));
    auto* layout = new QVBoxLayout(&window);
    QFont bold = window.font();
    bold.setBold(true);
    auto* title = new QLabel(QStringLiteral("Quillbrook Win95"), &window);
    QFont titleFont = bold;
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    title->setFont(titleFont);
    layout->addWidget(title);
    for (const char* caption :
         {"Mortgage &Tables", "Mortgage &Comparisons", "Personal &Loans", "How to &Use Programs",
          "&Personalize Settings", "&About...", "E&xit Program"}) {
        auto* button = new QPushButton(QString::fromLatin1(caption), &window);
        button->setFont(bold);
        layout->addWidget(button);
    }
    window.resize(480, 360);
    window.show();
    return QApplication::exec();
}
