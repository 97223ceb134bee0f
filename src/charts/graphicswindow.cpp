#include "charts/graphicswindow.h"

#include "core/engine/engineerror.h"
#include "core/state/balancechart.h"
#include "desktop/platform/qtmessagebox.h"
#include "desktop/platform/qtprinter.h"
#include "desktop/platform/qtprintservice.h"
#include "desktop/platform/screenfit.h"
#include "desktop/platform/twips.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace qb {

namespace {

// Wide enough for twelve comparison rows or forty years of captions under their bars.
constexpr int kWidthTwips = 11520;
const QString kPrinterTitle = QStringLiteral("Printer");

} // namespace

Graphics::Graphics(SharedState& state, MessageBoxService& messages,
                   std::unique_ptr<ChartControl> chart, QWidget* parent)
    : QWidget(parent), m_state(state), m_messages(messages), m_chart(std::move(chart)),
      m_printImage([this](const QImage& image) { printToDefaultPrinter(image); }) {
    setObjectName(QStringLiteral("Graphics"));
    setWindowTitle(QStringLiteral("Charts"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    buildControls();
    FitOnScreen(*this,
                QSize(TwipsToPixels(kWidthTwips, logicalDpiX()), heightPixels(kHeightTwips)));
    load();
}

Graphics::~Graphics() = default;

void Graphics::buildControls() {
    const auto makeButton = [this](const QString& name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        return button;
    };
    m_sav2D = makeButton(QStringLiteral("Sav2D"), QStringLiteral("&2D of Chart shown"));
    m_threeDee = makeButton(QStringLiteral("ThreeDee"), QStringLiteral("&3D of Chart shown"));
    m_ptr = makeButton(QStringLiteral("Ptr"), QStringLiteral("&To Printer"));
    m_exitBut = makeButton(QStringLiteral("ExitBut"), QStringLiteral("E&xit to Menu"));
    // Kept for the chart kinds no path of the program draws; never shown.
    m_oned = makeButton(QStringLiteral("Oned"), QStringLiteral("&Gain/Loss %"));
    m_pie2d = makeButton(QStringLiteral("Pie2d"), QStringLiteral("&Value of each fund"));
    m_oned->hide();
    m_pie2d->hide();
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Label1"));

    QWidget* graph = m_chart->widget();
    if (!graph)
        graph = new QWidget(this);
    graph->setParent(this);
    graph->setObjectName(QStringLiteral("Graph1"));

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {m_sav2D, m_threeDee, m_ptr, m_exitBut, m_oned, m_pie2d})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(graph, 1);
    layout->addWidget(m_label);
    layout->addLayout(buttons);

    connect(m_sav2D, &QPushButton::clicked, this, &Graphics::show2D);
    connect(m_threeDee, &QPushButton::clicked, this, &Graphics::show3D);
    connect(m_ptr, &QPushButton::clicked, this, &Graphics::printChart);
    connect(m_exitBut, &QPushButton::clicked, this, &Graphics::exitChart);
}

void Graphics::load() {
    switch (m_state.ChartSource) {
    case 1:
        show2D();
        break;
    case 2:
    case 4:
        try {
            PrepareBalanceChart(m_state);
        } catch (const CalculationError&) {
            // Tables that were never filled leave nothing to chart.
            m_state.DataCount = 0;
        }
        show2D();
        break;
    default:
        break;
    }
}

void Graphics::show2D() {
    const bool comparison = m_state.ChartSource == 1;
    m_chartKind = comparison ? ComparisonChart2D : BalanceChart2D;
    drawChart(comparison);
}

void Graphics::show3D() {
    if (!m_chart->threeDimensionalAvailable()) {
        m_messages.message(QStringLiteral(" 3D charts need OpenGL, which is not available here."),
                           QStringLiteral("Advisory"));
        return;
    }
    m_chartKind = m_state.ChartSource == 1 ? ComparisonChart3D : BalanceChart3D;
    drawChart3D();
}

// The comparison and balance charts differ only in which caption property the point captions go
// to and in the value-axis title, which only the comparison chart sets.
void Graphics::drawChart(bool comparison) {
    if (!m_threeDee->isEnabled()) {
        m_threeDee->setEnabled(true);
        m_threeDee->setFocus();
    }
    m_sav2D->show();
    m_oned->hide();
    m_pie2d->hide();
    if (m_sav2D->isEnabled())
        m_sav2D->setEnabled(false);

    // A single point is drawn with an empty second bar beside it.
    const int count = m_state.DataCount == 1 ? 2 : m_state.DataCount;
    // Points past the end of the chart table have nothing to show.
    const int last = std::min(count, m_state.ChartData.rowCount() - 1);
    const auto cell = [this, last](int point, int column) {
        return point <= last ? m_state.ChartData.at(point, column) : QVariant();
    };

    ChartControl& chart = *m_chart;
    chart.setDataSets(1);
    chart.setPoints(count);
    chart.setTitle(m_state.ChartTitle);
    if (comparison) {
        chart.setValueAxisTitle(m_state.TableView == 2
                                    ? QStringLiteral("Value ") + m_state.CurrencySymbol
                                    : QStringLiteral("Gain %"));
    }
    chart.setAutoAdvance(true);
    chart.setCurrentPoint(1);
    chart.setColourStyle(m_colourPrint);
    for (int i = 1; i <= count; ++i) {
        if (comparison)
            chart.setFirstCaption(cell(i, 1).toString());
        else
            chart.setSecondCaption(cell(i, 1).toString());
    }

    chart.setPoints(count);
    chart.setDataSets(1);
    chart.setCurrentPoint(1);
    const int points = chart.points();
    for (int i = 1; i <= points; ++i)
        chart.setValue(cell(i, 5).toDouble());
    chart.setChartType(ChartControl::kBars2D);
    chart.draw(ChartControl::kDrawFromData);
}

// The same for both charts: the control draws again the points it holds, in three dimensions.
void Graphics::drawChart3D() {
    m_sav2D->show();
    m_oned->hide();
    if (!m_sav2D->isEnabled()) {
        m_sav2D->setEnabled(true);
        m_threeDee->setEnabled(false);
        m_sav2D->setFocus();
    }
    m_chart->setColourStyle(m_colourPrint);
    m_chart->setChartType(ChartControl::kBars3D);
    m_chart->draw(ChartControl::kRedraw);
}

void Graphics::redraw() {
    switch (m_chartKind) {
    case BalanceChart2D:
    case ComparisonChart2D:
        drawChart(m_chartKind == ComparisonChart2D);
        break;
    case BalanceChart3D:
    case ComparisonChart3D:
        drawChart3D();
        break;
    default:
        break;
    }
}

void Graphics::printChart() {
    if (m_messages.message(QStringLiteral("Continue with Printout."), kPrinterTitle, MbYesNo) !=
        AnswerYes)
        return;
    drawInColour(m_messages.message(QStringLiteral("Print in Color."), kPrinterTitle, MbYesNo) ==
                 AnswerYes);

    BusyCursor busy;
    const QScreen* display = screen();
    if (display)
        resize(width(), static_cast<int>(display->geometry().height() * 0.88));
    QImage image = grab().toImage();
    m_chart->paintOver(image, *this);
    // The window goes back to its size however the printing ends.
    struct RestoreHeight {
        Graphics* window;
        ~RestoreHeight() { window->resize(window->width(), window->heightPixels(kHeightTwips)); }
    } restore{this};
    m_printImage(image);
}

void Graphics::drawInColour(bool colour) {
    m_colourPrint = colour ? 1 : 0;
    redraw();
}

// Through the same service as the table reports, so a missing printer gives the same PDF file
// in Documents and the same message.
void Graphics::printToDefaultPrinter(const QImage& image) {
    QtPrintService service(m_messages);
    service.printReport(QStringLiteral("Chart"), [&image](Printer& printer) {
        if (auto* paper = dynamic_cast<QtPrinter*>(&printer))
            paper->printImage(image);
        printer.endDoc();
    });
}

int Graphics::heightPixels(int twips) const {
    return TwipsToPixels(twips, logicalDpiY());
}

void Graphics::exitChart() {
    close();
}

void Graphics::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (m_exited)
        return;
    m_exited = true;
    emit exited();
}

} // namespace qb
