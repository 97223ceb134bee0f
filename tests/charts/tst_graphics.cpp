// The Charts window on the offscreen platform: what its drawing routines hand to the chart
// control and in which order (a recording control), the 2D and 3D buttons, printing, and the
// real chart control refusing three dimensions where there is no OpenGL.
#include "charts/graphicswindow.h"
#include "charts/qtchartcontrol.h"
#include "charts/recordingchartcontrol.h"
#include "core/state/defaultmortgage.h"
#include "desktop/platform/twips.h"
#include "desktop/windowtest.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QGraphicsTextItem>
#include <QImage>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>

#include <deque>

using namespace qb;

namespace {

// Answers the Yes/No questions from a list, in order.
class ScriptedMessageBox : public MessageBoxService {
public:
    int message(const QString& text, const QString& title, int buttons) override {
        shown.push_back({text, title, buttons});
        if ((buttons & MbYesNo) != MbYesNo || answers.empty())
            return AnswerOk;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void beep() override {}

    std::vector<RecordingMessageBox::Shown> shown;
    std::deque<int> answers;
};

QString rowCaption(int row) {
    return QStringLiteral("Row  %1").arg(row);
}

// The comparisons window's results: row i's total interest is 1000 * i + 0.25.
void fillComparisons(SharedState& state, int rows, int tableView = 2) {
    state.ChartData.size(45, 6);
    for (int i = 1; i <= rows; ++i) {
        state.ChartData.at(i, 1) = rowCaption(i);
        state.ChartData.at(i, 5) = 1000.0 * i + 0.25;
    }
    state.DataCount = static_cast<std::int16_t>(rows);
    state.ChartSource = 1;
    state.TableView = static_cast<std::int16_t>(tableView);
    state.ChartTitle = QStringLiteral(" Total mortgage interest paid");
    state.CurrencySymbol = QStringLiteral("$");
}

// A 25-year monthly mortgage of 100,000 at 10 %, as the Mortgage Tables window leaves it.
void fillMortgage(SharedState& state) {
    CalculateDefaultMortgage(state, 2);
    state.ChartSource = 4;
    state.ChartTitle = QStringLiteral("Mortgage balance at start of each Year");
    state.CurrencySymbol = QStringLiteral("$");
}

QStringList valueCalls(const QStringList& calls) {
    return calls.filter(QRegularExpression(QStringLiteral("^Value ")));
}

} // namespace

class TestGraphics : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void oneComparisonRowDrawsAnEmptySecondPoint();
    void comparisonCaptionsAndAxisTitle_data();
    void comparisonCaptionsAndAxisTitle();
    void balanceChartOfTwentyFiveYears();
    void threeDimensionsThenTwo_data();
    void threeDimensionsThenTwo();
    void threeDimensionsWithoutOpenGL();
    void realControlRefusesThreeDimensionsOffscreen();
    void markupIsDrawnAsWritten_data();
    void markupIsDrawnAsWritten();
    void captionsReadWhole_data();
    void captionsReadWhole();
    void printing_data();
    void printing();
    void decliningThePrintoutKeepsTheColourChoice();
    void exitClosesTheWindow();

private:
    Graphics* open() {
        auto control = std::make_unique<RecordingChartControl>();
        m_chart = control.get();
        m_chart->offer3D = m_offer3D;
        m_window = std::make_unique<Graphics>(m_state, m_messages, std::move(control));
        return m_window.get();
    }
    // The texts the real chart draws for the shared values, in a shown Charts window.
    QStringList drawnTexts() {
        m_window =
            std::make_unique<Graphics>(m_state, m_messages, std::make_unique<QtChartControl>());
        QStringList drawn;
        if (!ShowActive(m_window.get()))
            return drawn;
        if (auto* view = m_window->findChild<QChartView*>()) {
            for (const QGraphicsItem* item : view->scene()->items()) {
                if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item);
                    text && text->isVisible())
                    drawn << text->toPlainText();
            }
        }
        return drawn;
    }
    QPushButton* button(const char* name) {
        return Control<QPushButton>(m_window.get(), QString::fromLatin1(name));
    }

    SharedState m_state;
    ScriptedMessageBox m_messages;
    RecordingChartControl* m_chart = nullptr;
    bool m_offer3D = true;
    std::unique_ptr<Graphics> m_window;
};

void TestGraphics::init() {
    m_state = SharedState();
    m_messages = ScriptedMessageBox();
    m_offer3D = true;
}

void TestGraphics::cleanup() {
    m_window.reset();
    m_chart = nullptr;
}

void TestGraphics::oneComparisonRowDrawsAnEmptySecondPoint() {
    fillComparisons(m_state, 1);
    open();
    const QStringList expected = {
        QStringLiteral("DataSets 1"),
        QStringLiteral("Points 2"),
        QStringLiteral("Title  Total mortgage interest paid"),
        QStringLiteral("AxisTitle Value $"),
        QStringLiteral("AutoAdvance 1"),
        QStringLiteral("CurrentPoint 1"),
        QStringLiteral("ColourStyle 0"),
        QStringLiteral("Caption1 Row  1"),
        QStringLiteral("Caption1 "),
        QStringLiteral("Points 2"),
        QStringLiteral("DataSets 1"),
        QStringLiteral("CurrentPoint 1"),
        QStringLiteral("Value 1000.25"),
        QStringLiteral("Value 0.00"),
        QStringLiteral("ChartType 3"),
        QStringLiteral("Draw 2"),
    };
    QCOMPARE(m_chart->calls, expected);
    QCOMPARE(m_window->chartKind(), Graphics::ComparisonChart2D);
    QCOMPARE(m_chart->picture().captions, (std::vector<QString>{rowCaption(1), QString()}));
    QCOMPARE(m_chart->picture().values, (std::vector<double>{1000.25, 0}));
}

void TestGraphics::comparisonCaptionsAndAxisTitle_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("tableView");
    QTest::addColumn<QString>("axisTitle");
    QTest::newRow("twelve rows") << 12 << 2 << QStringLiteral("Value $");
    QTest::newRow("three rows") << 3 << 2 << QStringLiteral("Value $");
    QTest::newRow("not the every-payment view") << 3 << 1 << QStringLiteral("Gain %");
}

void TestGraphics::comparisonCaptionsAndAxisTitle() {
    QFETCH(int, rows);
    QFETCH(int, tableView);
    QFETCH(QString, axisTitle);
    fillComparisons(m_state, rows, tableView);
    open();
    std::vector<QString> captions;
    std::vector<double> values;
    for (int i = 1; i <= rows; ++i) {
        captions.push_back(rowCaption(i));
        values.push_back(1000.0 * i + 0.25);
    }
    QCOMPARE(m_chart->picture().captions, captions);
    QCOMPARE(m_chart->picture().values, values);
    QCOMPARE(m_chart->picture().valueAxisTitle, axisTitle);
    QCOMPARE(m_chart->calls.filter(QStringLiteral("Caption1 Row")).size(), rows);
    QCOMPARE(m_chart->calls.at(1), QStringLiteral("Points %1").arg(rows));
}

void TestGraphics::balanceChartOfTwentyFiveYears() {
    fillMortgage(m_state);
    open();
    const QStringList& calls = m_chart->calls;
    QCOMPARE(calls.mid(0, 6),
             (QStringList{QStringLiteral("DataSets 1"), QStringLiteral("Points 25"),
                          QStringLiteral("Title Mortgage balance at start of "
                                         "each Year"),
                          QStringLiteral("AutoAdvance 1"), QStringLiteral("CurrentPoint 1"),
                          QStringLiteral("ColourStyle 0")}));
    // The balance chart's captions go to the second caption property; it has no axis title.
    QCOMPARE(calls.filter(QStringLiteral("Caption2 ")).size(), 25);
    QCOMPARE(calls.at(6), QStringLiteral("Caption2 1"));
    QCOMPARE(calls.at(30), QStringLiteral("Caption2 25"));
    QVERIFY(calls.filter(QStringLiteral("AxisTitle")).isEmpty());
    QCOMPARE(valueCalls(calls).size(), 25);
    QCOMPARE(valueCalls(calls).first(), QStringLiteral("Value 100000.00"));
    QCOMPARE(m_chart->picture().values.at(10), m_state.LastSchedule.rows.at(120, 4).toDouble());
    QCOMPARE(calls.mid(calls.size() - 2),
             (QStringList{QStringLiteral("ChartType 3"), QStringLiteral("Draw 2")}));
    QCOMPARE(m_window->chartKind(), Graphics::BalanceChart2D);
    QVERIFY(!button("Sav2D")->isEnabled());
    QVERIFY(button("ThreeDee")->isEnabled());
    QVERIFY(!button("Oned")->isVisibleTo(m_window.get()));
    QVERIFY(!button("Pie2d")->isVisibleTo(m_window.get()));
}

void TestGraphics::threeDimensionsThenTwo_data() {
    QTest::addColumn<bool>("comparison");
    QTest::addColumn<int>("kind3D");
    QTest::addColumn<int>("kind2D");
    QTest::addColumn<int>("points");
    QTest::newRow("balance") << false << int(Graphics::BalanceChart3D)
                             << int(Graphics::BalanceChart2D) << 25;
    QTest::newRow("comparison") << true << int(Graphics::ComparisonChart3D)
                                << int(Graphics::ComparisonChart2D) << 3;
}

// Three dimensions draw again what the control holds; only going back to two reloads it.
void TestGraphics::threeDimensionsThenTwo() {
    QFETCH(bool, comparison);
    QFETCH(int, kind3D);
    QFETCH(int, kind2D);
    QFETCH(int, points);
    if (comparison)
        fillComparisons(m_state, 3);
    else
        fillMortgage(m_state);
    QVERIFY(ShowActive(open()));
    m_chart->calls.clear();

    QTest::mouseClick(button("ThreeDee"), Qt::LeftButton);
    QCOMPARE(m_chart->calls,
             (QStringList{QStringLiteral("ColourStyle 0"), QStringLiteral("ChartType 4"),
                          QStringLiteral("Draw 3")}));
    QCOMPARE(m_window->chartKind(), kind3D);
    QCOMPARE(m_chart->picture().values.size(), std::size_t(points));
    QVERIFY(button("Sav2D")->isEnabled());
    QVERIFY(!button("ThreeDee")->isEnabled());
    QVERIFY(button("Sav2D")->hasFocus());

    m_chart->calls.clear();
    QTest::mouseClick(button("Sav2D"), Qt::LeftButton);
    QCOMPARE(m_chart->calls.at(1), QStringLiteral("Points %1").arg(points));
    QCOMPARE(valueCalls(m_chart->calls).size(), points);
    QCOMPARE(m_chart->calls.last(), QStringLiteral("Draw 2"));
    QCOMPARE(m_window->chartKind(), kind2D);
    QVERIFY(!button("Sav2D")->isEnabled());
    QVERIFY(button("ThreeDee")->isEnabled());
    QVERIFY(button("ThreeDee")->hasFocus());
}

void TestGraphics::threeDimensionsWithoutOpenGL() {
    fillMortgage(m_state);
    m_offer3D = false;
    open();
    m_chart->calls.clear();
    button("ThreeDee")->click();
    QCOMPARE(m_messages.shown.size(), std::size_t(1));
    QCOMPARE(m_messages.shown[0].text,
             QStringLiteral(" 3D charts need OpenGL, which is not available here."));
    QCOMPARE(m_messages.shown[0].title, QStringLiteral("Advisory"));
    QVERIFY(m_chart->calls.isEmpty());
    QCOMPARE(m_window->chartKind(), Graphics::BalanceChart2D);
    QVERIFY(!button("Sav2D")->isEnabled());
    QVERIFY(button("ThreeDee")->isEnabled());
}

// On the offscreen platform the 3D chart would crash: the real control must refuse it.
void TestGraphics::realControlRefusesThreeDimensionsOffscreen() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    QVERIFY(!QtChartControl::openGLAvailable());
    fillMortgage(m_state);
    m_window = std::make_unique<Graphics>(m_state, m_messages, std::make_unique<QtChartControl>());
    QVERIFY(ShowActive(m_window.get()));
    button("ThreeDee")->click();
    QCOMPARE(m_messages.shown.size(), std::size_t(1));
    QCOMPARE(m_messages.shown[0].title, QStringLiteral("Advisory"));
    QCOMPARE(m_window->chartKind(), Graphics::BalanceChart2D);

    // The two-dimensional bars are on show: one bar per year, captioned with its number.
    auto* view = m_window->findChild<QChartView*>();
    QVERIFY(view && view->isVisible());
    const QList<QAbstractSeries*> series = view->chart()->series();
    QCOMPARE(series.size(), 1);
    auto* bars = qobject_cast<QBarSeries*>(series.first());
    QVERIFY(bars);
    QCOMPARE(bars->barSets().first()->count(), 25);
    QCOMPARE(bars->barSets().first()->at(0), 100000.0);
    auto* axis = qobject_cast<QBarCategoryAxis*>(view->chart()->axes(Qt::Horizontal).first());
    QVERIFY(axis);
    QCOMPARE(axis->categories().first(), QStringLiteral("1"));
    QCOMPARE(axis->categories().last(), QStringLiteral("25"));
    QCOMPARE(view->chart()->title(), m_state.ChartTitle);
}

// A currency symbol from the settings file is drawn as it is written, never read as markup (an
// image tag naming /dev/zero would read it without end).
void TestGraphics::markupIsDrawnAsWritten_data() {
    QTest::addColumn<QString>("symbol");
    QTest::newRow("image") << QStringLiteral("<img src=/dev/zero>");
    QTest::newRow("bold") << QStringLiteral("<b>bold</b>");
}

void TestGraphics::markupIsDrawnAsWritten() {
    QFETCH(QString, symbol);
    fillComparisons(m_state, 3);
    m_state.CurrencySymbol = symbol;
    const QStringList drawn = drawnTexts();
    QVERIFY2(drawn.contains(QStringLiteral("Value ") + symbol), qPrintable(drawn.join(u'|')));
}

// Every bar's caption is drawn whole under it, however many bars there are.
void TestGraphics::captionsReadWhole_data() {
    QTest::addColumn<int>("rows");
    QTest::newRow("3 rows") << 3;
    QTest::newRow("9 rows") << 9;
    QTest::newRow("12 rows") << 12;
}

void TestGraphics::captionsReadWhole() {
    QFETCH(int, rows);
    fillComparisons(m_state, rows);
    const QStringList drawn = drawnTexts();
    for (int row = 1; row <= rows; ++row)
        QVERIFY2(drawn.contains(QStringLiteral("Row %1").arg(row)), qPrintable(drawn.join(u'|')));
    for (const QString& text : drawn)
        QVERIFY2(!text.contains(u"...") && !text.contains(QChar(0x2026)), qPrintable(text));
}

void TestGraphics::printing_data() {
    QTest::addColumn<int>("colourAnswer");
    QTest::addColumn<bool>("threeDimensions");
    QTest::addColumn<int>("colourPrint");
    QTest::addColumn<QStringList>("drawing"); // the last calls before the image is printed
    QTest::newRow("monochrome") << int(AnswerNo) << false << 0
                                << QStringList{QStringLiteral("ChartType 3"),
                                               QStringLiteral("Draw 2")};
    QTest::newRow("colour") << int(AnswerYes) << false << 1
                            << QStringList{QStringLiteral("ChartType 3"), QStringLiteral("Draw 2")};
    QTest::newRow("colour in 3D") << int(AnswerYes) << true << 1
                                  << QStringList{QStringLiteral("ColourStyle 1"),
                                                 QStringLiteral("ChartType 4"),
                                                 QStringLiteral("Draw 3")};
}

// The chart is drawn again in the chosen colour style before the window's image is printed, at
// 0.88 of the screen's height; the window is 6765 twips high again afterwards.
void TestGraphics::printing() {
    QFETCH(int, colourAnswer);
    QFETCH(bool, threeDimensions);
    QFETCH(int, colourPrint);
    QFETCH(QStringList, drawing);
    fillMortgage(m_state);
    QVERIFY(ShowActive(open()));
    if (threeDimensions)
        m_window->show3D();
    const int normalHeight = TwipsToPixels(Graphics::kHeightTwips, m_window->logicalDpiY());
    QCOMPARE(m_window->height(), normalHeight);

    QStringList callsWhenPrinted;
    int heightWhenPrinted = 0;
    QSize imageSize;
    m_window->setImagePrinter([&](const QImage& image) {
        callsWhenPrinted = m_chart->calls;
        heightWhenPrinted = m_window->height();
        imageSize = image.size();
    });
    m_chart->calls.clear();
    m_messages.answers = {AnswerYes, colourAnswer};
    button("Ptr")->click();

    QCOMPARE(m_messages.shown.size(), std::size_t(2));
    QCOMPARE(m_messages.shown[0].text, QStringLiteral("Continue with Printout."));
    QCOMPARE(m_messages.shown[1].text, QStringLiteral("Print in Color."));
    for (const auto& shown : m_messages.shown) {
        QCOMPARE(shown.title, QStringLiteral("Printer"));
        QCOMPARE(shown.buttons, int(MbYesNo));
    }
    QCOMPARE(m_window->colourPrint(), colourPrint);
    QCOMPARE(callsWhenPrinted.filter(QStringLiteral("ColourStyle")),
             QStringList{QStringLiteral("ColourStyle %1").arg(colourPrint)});
    QCOMPARE(callsWhenPrinted.mid(callsWhenPrinted.size() - drawing.size()), drawing);
    const int screenHeight = m_window->screen()->geometry().height();
    QCOMPARE(heightWhenPrinted, int(screenHeight * 0.88));
    QCOMPARE(imageSize.height(), int(screenHeight * 0.88 * m_window->devicePixelRatio()));
    QCOMPARE(m_window->height(), normalHeight);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

void TestGraphics::decliningThePrintoutKeepsTheColourChoice() {
    fillComparisons(m_state, 2);
    open();
    int printed = 0;
    m_window->setImagePrinter([&printed](const QImage&) { ++printed; });
    m_messages.answers = {AnswerYes, AnswerYes};
    m_window->printChart();
    QCOMPARE(printed, 1);
    QCOMPARE(m_window->colourPrint(), 1);

    m_chart->calls.clear();
    m_messages.shown.clear();
    m_messages.answers = {AnswerNo};
    m_window->printChart();
    QCOMPARE(printed, 1);
    QCOMPARE(m_messages.shown.size(), std::size_t(1));
    QCOMPARE(m_window->colourPrint(), 1);
    QVERIFY(m_chart->calls.isEmpty());
}

void TestGraphics::exitClosesTheWindow() {
    fillComparisons(m_state, 2);
    QVERIFY(ShowActive(open()));
    QSignalSpy exited(m_window.get(), &Graphics::exited);
    QTest::mouseClick(button("ExitBut"), Qt::LeftButton);
    QCOMPARE(exited.size(), 1);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(button("ExitBut")->text(), QStringLiteral("E&xit to Menu"));
}

QTEST_MAIN(TestGraphics)
#include "tst_graphics.moc"
