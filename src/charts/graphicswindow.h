// The Charts window (Graphics): one bar chart of the results of the calculation window that
// opened it. For the Mortgage Comparisons window it is the total interest of each row; for the
// Mortgage Tables and Personal Loan Table windows the balance at the start of each year. The
// user switches between two and three dimensions, prints the window, and goes back.
//
// The window reads the shared values the calculation window left (ChartSource, ChartData,
// DataCount, ChartTitle, TableView, CurrencySymbol) and hands the chart to its chart control in
// the order the drawing routines below set out.
#pragma once

#include "charts/chartcontrol.h"
#include "core/program/messagebox.h"
#include "core/state/shared.h"

#include <QWidget>

#include <functional>
#include <memory>

class QImage;
class QLabel;
class QPushButton;

namespace qb {

class Graphics : public QWidget {
    Q_OBJECT

public:
    // Which chart is on show, so printing can draw it again.
    enum Kind : std::int16_t {
        NoChart = 0,
        BalanceChart2D = 3,
        BalanceChart3D = 5,
        ComparisonChart2D = 6,
        ComparisonChart3D = 7,
    };

    // The window's height while it is not being printed, in twips.
    static constexpr int kHeightTwips = 6765;

    // Draws the chart ChartSource asks for at once, as the window does when it loads.
    Graphics(SharedState& state, MessageBoxService& messages, std::unique_ptr<ChartControl> chart,
             QWidget* parent = nullptr);
    ~Graphics() override;

    // Where the window's image goes when it is printed. By default the system printer, or a
    // PDF in the documents folder when there is none, and the user is told where the file is.
    using ImagePrinter = std::function<void(const QImage&)>;
    void setImagePrinter(ImagePrinter printer) { m_printImage = std::move(printer); }

    // The buttons' own work, callable as a click would run it.
    void show2D();
    void show3D();
    void printChart();
    void exitChart();

    // Draws the chart on show again in colour (or monochrome), as printing does after asking;
    // the command-line tool draws its pictures in colour this way.
    void drawInColour(bool colour);

    std::int16_t chartKind() const { return m_chartKind; }
    std::int16_t colourPrint() const { return m_colourPrint; }
    ChartControl& chart() { return *m_chart; }

signals:
    // The window closed; whoever opened it shows the calculation window of ChartSource again.
    void exited();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void load();
    void drawChart(bool comparison);
    void drawChart3D();
    void redraw();
    void printToDefaultPrinter(const QImage& image);
    int heightPixels(int twips) const;

    SharedState& m_state;
    MessageBoxService& m_messages;
    std::unique_ptr<ChartControl> m_chart;
    ImagePrinter m_printImage;
    std::int16_t m_chartKind = NoChart;
    std::int16_t m_colourPrint = 0;
    bool m_exited = false;

    QPushButton* m_sav2D = nullptr;
    QPushButton* m_threeDee = nullptr;
    QPushButton* m_ptr = nullptr;
    QPushButton* m_exitBut = nullptr;
    QPushButton* m_oned = nullptr;
    QPushButton* m_pie2d = nullptr;
    QLabel* m_label = nullptr;
};

} // namespace qb
