#include "charts/qtchartcontrol.h"

#include "core/print/outputfile.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QPainter>
#include <QStackedWidget>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QtDataVisualization/Q3DBars>
#include <QtDataVisualization/Q3DCamera>
#include <QtDataVisualization/Q3DScene>
#include <QtDataVisualization/Q3DTheme>
#include <QtDataVisualization/QBar3DSeries>
#include <QtDataVisualization/QBarDataProxy>
#include <QtDataVisualization/QCategory3DAxis>
#include <QtDataVisualization/QValue3DAxis>

#include <algorithm>

namespace qb {

namespace {

const QColor kMonochromeBar(160, 160, 160);
const QColor kMonochromeEdge(64, 64, 64);

// Money is shown with thousands separators whatever the user's locale says.
QLocale axisLocale() {
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

double highestValue(const ChartPicture& picture) {
    const auto highest = std::ranges::max_element(picture.values);
    return highest != picture.values.end() && *highest > 0 ? *highest : 1;
}

// Qt Charts reads titles and labels as markup; the chart's texts (a title with the currency
// symbol, the captions) are shown as they are written.
QString plain(const QString& text) {
    return text.toHtmlEscaped();
}

// A chart's title: larger than its labels, and bold.
QFont titleFont(QFont font) {
    font.setPointSizeF(font.pointSizeF() * 1.3);
    font.setBold(true);
    return font;
}

} // namespace

QtChartControl::QtChartControl(QWidget* parent)
    : m_stack(new QStackedWidget(parent)), m_view(new QChartView(m_stack)) {
    m_view->setRenderHint(QPainter::Antialiasing);
    m_stack->addWidget(m_view);
}

QWidget* QtChartControl::widget() {
    return m_stack;
}

bool QtChartControl::threeDimensionalAvailable() const {
    return openGLAvailable();
}

bool QtChartControl::openGLAvailable() {
    static const bool available = [] {
        const QString platform = QGuiApplication::platformName();
        // The 3D chart crashes on these even where a context can be made current.
        if (platform == u"offscreen" || platform == u"minimal")
            return false;
        QOpenGLContext context;
        if (!context.create())
            return false;
        QOffscreenSurface surface;
        surface.setFormat(context.format());
        surface.create();
        if (!surface.isValid() || !context.makeCurrent(&surface))
            return false;
        context.doneCurrent();
        return true;
    }();
    return available;
}

bool QtChartControl::showing3D() const {
    return m_page3D && m_stack->currentWidget() == m_page3D;
}

void QtChartControl::paintOver(QImage& picture, const QWidget& window) const {
    if (!showing3D() || !m_container3D)
        return;
    const qreal ratio = picture.devicePixelRatio();
    QImage bars = m_bars->renderToImage(0, m_container3D->size() * ratio);
    bars.setDevicePixelRatio(ratio);
    QPainter painter(&picture);
    painter.drawImage(QRect(m_container3D->mapTo(&window, QPoint(0, 0)), m_container3D->size()),
                      bars);
}

void QtChartControl::render(const ChartPicture& picture) {
    if (picture.chartType == kBars3D && openGLAvailable())
        render3D(picture);
    else
        render2D(picture);
}

void QtChartControl::render2D(const ChartPicture& picture) {
    const bool colour = picture.colourStyle == 1;
    auto* chart = new QChart;
    chart->setTitle(plain(picture.title));
    chart->setTitleFont(titleFont(chart->titleFont()));
    chart->legend()->hide();
    chart->setLocalizeNumbers(true);
    chart->setLocale(axisLocale());
    if (!colour) {
        chart->setBackgroundBrush(Qt::white);
        chart->setPlotAreaBackgroundVisible(false);
    }

    auto* set = new QBarSet(picture.title);
    for (double value : picture.values)
        set->append(value);
    if (!colour) {
        set->setBrush(kMonochromeBar);
        set->setPen(QPen(kMonochromeEdge));
    }
    auto* series = new QBarSeries;
    series->append(set);
    chart->addSeries(series);

    auto* captions = new QBarCategoryAxis;
    QStringList categories;
    for (std::size_t i = 0; i < picture.captions.size(); ++i) {
        // Categories must differ; an empty caption becomes blanks of its own length.
        const QString& caption = picture.captions[i];
        categories.append(caption.isEmpty() ? QString(static_cast<qsizetype>(i) + 1, u' ')
                                            : plain(caption));
    }
    captions->append(categories);
    if (categories.size() > 12) {
        // Many bars: smaller captions.
        QFont small = captions->labelsFont();
        small.setPointSizeF(small.pointSizeF() * 0.8);
        captions->setLabelsFont(small);
    }
    if (categories.size() > 8) {
        // More captions than fit side by side ("Row  10", year 40) stand upright under their
        // bars, so each reads whole rather than cut to "...".
        captions->setLabelsAngle(-90);
    }
    chart->addAxis(captions, Qt::AlignBottom);
    series->attachAxis(captions);

    auto* values = new QValueAxis;
    values->setRange(0, highestValue(picture));
    values->applyNiceNumbers();
    values->setLabelFormat(QStringLiteral("%.0f"));
    values->setTitleText(plain(picture.valueAxisTitle));
    chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(values);

    QChart* old = m_view->chart();
    m_view->setChart(chart);
    delete old;
    m_stack->setCurrentWidget(m_view);
}

void QtChartControl::render3D(const ChartPicture& picture) {
    if (!m_bars) {
        m_page3D = new QWidget(m_stack);
        auto* layout = new QVBoxLayout(m_page3D);
        layout->setContentsMargins(0, 0, 0, 0);
        m_title3D = new QLabel(m_page3D);
        m_title3D->setTextFormat(Qt::PlainText);
        m_title3D->setAlignment(Qt::AlignCenter);
        m_title3D->setFont(titleFont(m_title3D->font()));
        m_bars = new Q3DBars;
        m_bars->setLocale(axisLocale());
        // Seen from a little right of the front and above, close enough that the year under
        // each bar can be read.
        Q3DCamera* camera = m_bars->scene()->activeCamera();
        camera->setCameraPosition(10, 12, 110);
        camera->setTarget(QVector3D(0, 0, 0));
        m_bars->columnAxis()->setLabelAutoRotation(90);
        m_bars->valueAxis()->setLabelAutoRotation(90);
        m_bars->setBarSpacing(QSizeF(0.4, 0.4));
        // A bar graph's camera centres the view on the floor, which would leave the lower half
        // of the window empty: the graph is drawn into a view 1.5 times the window's height, so
        // the floor sits at three quarters of it and the bars, their captions and values fill it.
        const auto fillWindow = [bars = m_bars] {
            bars->scene()->setPrimarySubViewport(
                QRect(0, 0, bars->width(), bars->height() * 3 / 2));
        };
        QObject::connect(m_bars, &QWindow::heightChanged, m_bars, fillWindow);
        QObject::connect(m_bars, &QWindow::widthChanged, m_bars, fillWindow);
        fillWindow();
        layout->addWidget(m_title3D);
        // The container owns the chart's window from here on.
        m_container3D = QWidget::createWindowContainer(m_bars, m_page3D);
        layout->addWidget(m_container3D, 1);
        m_stack->addWidget(m_page3D);
    }
    const bool colour = picture.colourStyle == 1;
    m_title3D->setText(picture.title);
    m_title3D->setStyleSheet(colour ? QString() : QStringLiteral("background: white"));

    Q3DTheme* theme = m_bars->activeTheme();
    theme->setType(Q3DTheme::ThemeQt);
    if (!colour) {
        theme->setBaseColors({kMonochromeBar});
        theme->setBackgroundColor(Qt::white);
        theme->setWindowColor(Qt::white);
    }
    theme->setLabelBorderEnabled(false);
    QFont labels = theme->font();
    labels.setPointSize(34);
    theme->setFont(labels);

    const QList<QBar3DSeries*> old = m_bars->seriesList();
    for (QBar3DSeries* series : old) {
        m_bars->removeSeries(series);
        delete series;
    }
    auto* row = new QBarDataRow;
    for (double value : picture.values)
        row->append(QBarDataItem(static_cast<float>(value)));
    auto* data = new QBarDataArray;
    data->append(row);
    auto* series = new QBar3DSeries;
    series->dataProxy()->resetArray(data, {QString()},
                                    QStringList(picture.captions.begin(), picture.captions.end()));
    series->setItemLabelFormat(QStringLiteral("@colLabel: @valueLabel"));
    m_bars->addSeries(series);

    m_bars->rowAxis()->setLabels({QString()});
    m_bars->valueAxis()->setRange(0, static_cast<float>(highestValue(picture)));
    m_bars->valueAxis()->setLabelFormat(QStringLiteral("%.0f"));
    m_bars->valueAxis()->setTitle(picture.valueAxisTitle);
    m_bars->valueAxis()->setTitleVisible(!picture.valueAxisTitle.isEmpty());
    m_stack->setCurrentWidget(m_page3D);
}

QString QtChartControl::writePicture(const QString& path, QSize size) {
    // The picture is drawn from the chart itself, laid out at the picture's size, whatever size
    // the view on screen has.
    QChart* chart = m_view->chart();
    const QRectF area(QPointF(0, 0), QSizeF(size));
    chart->setGeometry(area);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    const auto paint = [&](QPaintDevice& device) {
        QPainter painter(&device);
        painter.setRenderHint(QPainter::Antialiasing);
        chart->scene()->render(&painter, area, chart->sceneBoundingRect());
    };
    // The picture is made in memory and written in one piece: the encoders then never meet a
    // failing file (the PNG encoder leaks when one stops it), and the file sees every byte.
    QBuffer encoded;
    encoded.open(QIODevice::WriteOnly);
    if (path.endsWith(u".svg", Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setOutputDevice(&encoded);
        svg.setSize(size);
        svg.setViewBox(area);
        svg.setTitle(picture().title);
        paint(svg);
    } else {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::white);
        paint(image);
        if (!image.save(&encoded, "PNG"))
            return QStringLiteral("the picture could not be encoded");
    }
    OutputFile file;
    if (!file.start(path))
        return file.errorString();
    file.write(encoded.data());
    if (!file.commit())
        return file.errorString();
    return QString();
}

} // namespace qb
