// Every window on the screen the test runs on: CTest runs this test on the offscreen platform
// with screens of several sizes and scale factors (QB_SCREEN names the screen in device pixels).
// Each window must open with its frame wholly inside the screen's free area, and every button,
// box and result must be wholly in view, or, where the window's content scrolls, come wholly
// into view when scrolled to.
#include "charts/graphicswindow.h"
#include "charts/recordingchartcontrol.h"
#include "core/print/textprinter.h"
#include "desktop/application.h"
#include "desktop/platform/helpviewer.h"
#include "desktop/platform/qtmessagebox.h"
#include "desktop/platform/screenfit.h"
#include "desktop/windows/dateinputwindow.h"
#include "desktop/windows/mainmenu.h"
#include "desktop/windows/naminput.h"
#include "desktop/windows/personalizewindow.h"
#include "desktop/windows/prepaywindow.h"
#include "desktop/windowtest.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QVBoxLayout>

#include <memory>

using namespace qb;

namespace {

// What the user must see of widget: all of it, or of a label laid out wider than its text, the
// part its text takes.
QRect needed(const QWidget* widget) {
    const auto* label = qobject_cast<const QLabel*>(widget);
    if (!label)
        return widget->rect();
    return QStyle::alignedRect(label->layoutDirection(), label->alignment(),
                               label->sizeHint().boundedTo(label->size()), label->rect());
}

// Whether what the user must see of widget lies inside every widget around it up to its window.
bool wholeInView(const QWidget* widget) {
    QRect rect = needed(widget);
    for (const QWidget* inner = widget; !inner->isWindow(); inner = inner->parentWidget()) {
        rect.translate(inner->pos());
        if (!inner->parentWidget()->rect().contains(rect))
            return false;
    }
    return true;
}

// What the user has to reach: buttons, boxes, lists, named labels (captions and results) and
// text to read, but not the pieces of a grid.
QList<QWidget*> controlsOf(const QWidget* window) {
    QList<QWidget*> controls;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisible())
            continue;
        bool inGrid = false;
        for (const QWidget* up = widget; up && !inGrid; up = up->parentWidget())
            inGrid = qobject_cast<const QAbstractItemView*>(up) != nullptr;
        const bool named = qobject_cast<QLabel*>(widget) && !widget->objectName().isEmpty();
        if (!inGrid &&
            (named || qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
             qobject_cast<QComboBox*>(widget) || qobject_cast<QTextEdit*>(widget)))
            controls.append(widget);
    }
    return controls;
}

} // namespace

class TestScreenFit : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void windowOpensWhole_data();
    void windowOpensWhole();
    void contentScrollsOnlyWhenTheFixedPartsDoNotFit_data();
    void contentScrollsOnlyWhenTheFixedPartsDoNotFit();

private:
    QWidget* open(const QString& name);
    QWidget* fromMenu(const char* button) {
        Control<QPushButton>(m_program->menu(), QString::fromLatin1(button))->click();
        return m_program->tableWindow() ? static_cast<QWidget*>(m_program->tableWindow())
                                        : m_program->compareWindow();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    RecordingMessageBox m_messages;
    std::unique_ptr<Application> m_program;
    std::unique_ptr<QWidget> m_window; // a window the test opened itself
};

void TestScreenFit::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QScreen* screen = QGuiApplication::primaryScreen();
    QVERIFY(screen);
    // The screen is the one CTest asked for, so no row passes on a roomier default one.
    const QByteArray wanted = qgetenv("QB_SCREEN");
    if (!wanted.isEmpty()) {
        const QSize device =
            (QSizeF(screen->geometry().size()) * screen->devicePixelRatio()).toSize();
        QCOMPARE(QStringLiteral("%1x%2").arg(device.width()).arg(device.height()),
                 QString::fromLatin1(wanted));
    }
}

void TestScreenFit::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_messages = RecordingMessageBox();
    m_program = std::make_unique<Application>(m_messages, m_dir->path());
    TextPrinter printer(240);
    m_program->start(printer);
}

void TestScreenFit::cleanup() {
    m_window.reset();
    m_program.reset();
    m_dir.reset();
}

QWidget* TestScreenFit::open(const QString& name) {
    SharedState& state = m_program->state();
    if (name == u"main menu")
        return m_program->menu();
    if (name == u"Mortgage Tables")
        return fromMenu("MortCalc");
    if (name == u"Personal Loan Tables")
        return fromMenu("PersonalLoan");
    if (name == u"Mortgage Comparisons")
        return fromMenu("CompMort");
    if (name == u"Personalize") {
        m_window = std::make_unique<PersonalizeWindow>(state, m_dir->filePath("Personal.Mtg"));
    } else if (name == u"help viewer") {
        m_window = std::make_unique<HelpViewer>();
    } else if (name == u"Charts") {
        m_window = std::make_unique<Graphics>(state, m_messages,
                                              std::make_unique<RecordingChartControl>());
    } else {
        // The dialogs open over the table window, as the program opens them.
        QWidget* parent = fromMenu("MortCalc");
        if (!parent || !QTest::qWaitForWindowExposed(parent))
            return nullptr;
        if (name == u"Additional Payments")
            m_window = std::make_unique<PrePayWindow>(state, m_messages, parent);
        else if (name == u"Input Date")
            m_window = std::make_unique<DateInputWindow>(state, m_messages, parent);
        else if (name == u"report header")
            m_window = std::make_unique<NamInput>(state, parent);
    }
    if (m_window)
        m_window->show();
    return m_window.get();
}

void TestScreenFit::windowOpensWhole_data() {
    QTest::addColumn<QString>("window");
    for (const char* window : {"main menu", "Mortgage Tables", "Personal Loan Tables",
                               "Mortgage Comparisons", "Additional Payments", "Input Date",
                               "Personalize", "report header", "help viewer", "Charts"})
        QTest::newRow(window) << QString::fromLatin1(window);
}

void TestScreenFit::windowOpensWhole() {
    QFETCH(QString, window);
    QWidget* shown = open(window);
    QVERIFY(shown);
    QVERIFY(QTest::qWaitForWindowExposed(shown));

    const QRect area = shown->screen()->availableGeometry();
    const QRect frame = shown->frameGeometry();
    QVERIFY(area.contains(frame));
    if (window == u"main menu")
        QCOMPARE(m_program->background()->frameGeometry(), frame);

    auto* scroll = ContentScrolls(*shown) ? shown->findChild<QScrollArea*>() : nullptr;
    const QList<QWidget*> controls = controlsOf(shown);
    QVERIFY(!controls.isEmpty());
    for (QWidget* control : controls) {
        if (scroll) {
            const QRect part =
                needed(control).translated(control->mapTo(scroll->widget(), QPoint()));
            scroll->ensureVisible(part.center().x(), part.center().y(), part.width() / 2 + 1,
                                  part.height() / 2 + 1);
        }
        QVERIFY2(wholeInView(control), qPrintable(control->objectName()));
    }
    // Laid out, not piled up: no control covers another.
    for (const QWidget* one : controls) {
        for (const QWidget* other : controls) {
            if (one == other || one->isAncestorOf(other) || other->isAncestorOf(one) ||
                qobject_cast<const QLabel*>(one) || qobject_cast<const QLabel*>(other))
                continue;
            const QRect a(one->mapTo(shown, QPoint()), one->size());
            const QRect b(other->mapTo(shown, QPoint()), other->size());
            QVERIFY2(!a.intersects(b),
                     qPrintable(one->objectName() + QLatin1Char(' ') + other->objectName()));
        }
    }
}

// A window of three buttons over a stretching sheet, its design size 400 x 300, fitted into
// areas of several sizes. The buttons are 300 x 30 and the sheet at least 40 high, so with the
// layout's margins and spacing the fixed parts need some 330 x 170. Where the area has that,
// the window takes as much of its design size as the area has and the sheet gives up the
// difference; where not, the whole content scrolls. Either way Tab keeps its order and a hidden
// control stays hidden.
void TestScreenFit::contentScrollsOnlyWhenTheFixedPartsDoNotFit_data() {
    QTest::addColumn<QRect>("area");
    QTest::addColumn<bool>("scrolls");
    QTest::addColumn<QSize>("size");
    QTest::newRow("roomy") << QRect(0, 0, 1000, 800) << false << QSize(400, 300);
    QTest::newRow("shorter than the design") << QRect(50, 20, 1000, 260) << false << QSize();
    QTest::newRow("too short") << QRect(0, 0, 1000, 150) << true << QSize();
    QTest::newRow("too narrow") << QRect(0, 0, 250, 800) << true << QSize();
}

void TestScreenFit::contentScrollsOnlyWhenTheFixedPartsDoNotFit() {
    QFETCH(QRect, area);
    QFETCH(bool, scrolls);
    QFETCH(QSize, size);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    QList<QPushButton*> buttons;
    for (const char* name : {"first", "second", "third", "hidden"}) {
        auto* button = new QPushButton(QString::fromLatin1(name), &window);
        button->setObjectName(QString::fromLatin1(name));
        button->setFixedSize(300, 30);
        layout->addWidget(button);
        buttons.append(button);
    }
    buttons[3]->hide();
    QWidget::setTabOrder(buttons[0], buttons[2]);
    QWidget::setTabOrder(buttons[2], buttons[1]);
    auto* sheet = new QPlainTextEdit(&window);
    sheet->setMinimumHeight(40);
    layout->addWidget(sheet, 1);

    FitIntoArea(window, QSize(400, 300), area);
    QCOMPARE(ContentScrolls(window), scrolls);
    if (size.isValid())
        QCOMPARE(window.size(), size);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(area.contains(window.frameGeometry()));
    if (!scrolls) {
        QCOMPARE(sheet->geometry().bottom(),
                 window.height() - 1 - layout->contentsMargins().bottom());
        for (int i = 0; i < 3; ++i)
            QVERIFY(wholeInView(buttons[i]));
    }

    QVERIFY(!buttons[3]->isVisible());
    buttons[0]->setFocus();
    QStringList order;
    for (int i = 0; i < 4; ++i) {
        order.append(QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                 : QString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(order, QStringList({"first", "third", "second", QString()}));
}

QTEST_MAIN(TestScreenFit)
#include "tst_screenfit.moc"
