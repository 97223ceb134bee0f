// The Additional Payments window. The years offered are the term of the calculation window that
// opened it, rounded to whole years; the amounts live in PrePayTable column 2, the year numbers
// in column 1, one row per year.
//
// Both boxes are checked when the focus leaves them. A refusal shows its message and hands the
// focus back to the year box once the message is gone, so the box that just lost the focus is not
// left again (and checked again) while the message is still being dismissed.
#include "desktop/windows/prepaywindow.h"

#include "core/format/entrytext.h"
#include "core/format/format.h"
#include "desktop/platform/accessibility.h"
#include "desktop/platform/focus.h"
#include "desktop/platform/grid.h"
#include "desktop/platform/keys.h"
#include "desktop/platform/screenfit.h"
#include "desktop/platform/teardown.h"
#include "desktop/platform/twips.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace qb {

namespace {

// The table holds years 0..45; row 0 and column 0 are not used.
constexpr int kLastYear = 45;
constexpr int kLastColumn = 2;
constexpr int kMinimumGridRows = 20;

const QString kNoSuchYear = QStringLiteral(" Year number does not exist.");
const QString kNoValidYear = QStringLiteral(" Must have a valid year number.");
const QString kHelpTitle = QStringLiteral("Help");

// Whole years, halves to the even neighbour: a 30-month loan (2.5 years) offers 2 years, a
// 42-month one (3.5 years) offers 4. The table has room for 45 years whatever the term says.
std::int16_t yearsOfTerm(const SharedState& state) {
    if (state.InputValues.size() <= 3)
        return 0;
    const double years = std::nearbyint(state.InputValues[3].toDouble());
    return static_cast<std::int16_t>(std::clamp(years, 0.0, double(kLastYear)));
}

// Wide enough for the whole title in the window's frame: the title in a bold face, as title bars
// show it, and room for the window icon, the frame's three buttons and the gaps between them.
int widthForTitle(const QWidget* window) {
    QFont font = window->font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(window->windowTitle()) +
           6 * window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
}

} // namespace

PrePayWindow::PrePayWindow(SharedState& state, MessageBoxService& messages, QWidget* parent)
    : QDialog(parent), m_state(state), m_messages(messages) {
    setObjectName(QStringLiteral("PrePay"));
    setWindowTitle(QStringLiteral("Additional Payments"));
    buildControls();
    load();
}

PrePayWindow::~PrePayWindow() {
    DetachFromChildren(*this);
}

void PrePayWindow::buildControls() {
    m_grid = new Grid(this);
    m_grid->setObjectName(QStringLiteral("Grid2"));

    const auto makeBox = [this](const QString& name, int maxLength, const QString& allowed) {
        auto* box = new QLineEdit(this);
        box->setObjectName(name);
        box->setMaxLength(maxLength);
        box->setAlignment(Qt::AlignRight);
        box->setStyleSheet(QStringLiteral("background: yellow; color: black;"));
        // The key filter refuses what cannot be typed; the validator refuses it when pasted.
        box->setValidator(new QRegularExpressionValidator(QRegularExpression(allowed), box));
        box->installEventFilter(this);
        return box;
    };
    m_year = makeBox(QStringLiteral("InYear"), 2, QStringLiteral("[0-9]*"));
    m_payment = makeBox(QStringLiteral("InPayment"), 8, QStringLiteral("[0-9.]*"));

    m_eraseAll = new QPushButton(QStringLiteral("&Erase all"), this);
    m_eraseAll->setObjectName(QStringLiteral("DoNotUse"));
    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("UsePrePay"));
    m_label = new QLabel(this);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setObjectName(QStringLiteral("Label1"));

    // The boxes sit under the grid's columns, whose headings name them.
    auto* boxes = new QHBoxLayout;
    boxes->setSpacing(0);
    boxes->addWidget(m_year);
    boxes->addWidget(m_payment);
    boxes->addStretch();

    auto* commands = new QHBoxLayout;
    commands->addWidget(m_eraseAll);
    commands->addStretch();
    commands->addWidget(m_ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(boxes);
    layout->addWidget(m_label);
    layout->addLayout(commands);

    // Reading order: the grid, the boxes under it, the commands from left to right.
    ChainTabOrder({m_grid, m_year, m_payment, m_eraseAll, m_ok});
    m_year->setFocus();

    connect(m_ok, &QPushButton::clicked, this, &PrePayWindow::usePrePay);
    connect(m_eraseAll, &QPushButton::clicked, this, &PrePayWindow::eraseAll);
}

void PrePayWindow::load() {
    // The calculation windows size the table when they load; a window opened without one gets an
    // empty table rather than a failure.
    CurrencyTable& table = m_state.PrePayTable;
    if (table.rowCount() <= kLastYear || table.columnCount() <= kLastColumn)
        table.size(kLastYear, kLastColumn);

    m_state.PrePayYears = yearsOfTerm(m_state);
    const int years = m_state.PrePayYears;
    setUpYearGrid(years + 1);

    // Every year of the term is shown by its number: a longer term typed since the numbers were
    // last written leaves its later years without one.
    for (int y = 1; y <= years; ++y) {
        if (table.at(y, 1).isZero())
            table.at(y, 1) = Currency::fromDouble(y);
    }

    for (int y = 1; y <= years; ++y) {
        m_grid->setCellText(y, 0, QString::number(table.at(y, 1).toDouble()));
        m_grid->setCellText(y, 1, Format(table.at(y, 2).toDouble(), u"###,###.00"));
    }

    m_grid->fitColumnsToText();
    const int dpi = logicalDpiX();
    m_year->setFixedWidth(TwipsToPixels(m_grid->colWidth(0), dpi));
    m_payment->setFixedWidth(TwipsToPixels(m_grid->colWidth(1), dpi));
    m_grid->setFixedWidth(TwipsToPixels(m_grid->colWidth(0) + m_grid->colWidth(1), dpi) +
                          style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4);
    // Tall enough for a good fifteen years at a glance, where the screen has the room.
    FitOnScreen(*this, QSize(std::max(sizeHint().width(), widthForTitle(this)),
                             std::max(sizeHint().height(), 480)));
}

void PrePayWindow::setUpYearGrid(int rows) {
    m_grid->setRows(std::max(rows, kMinimumGridRows));
    m_grid->setColumns(460, {{QStringLiteral("Year Number"), 200, Grid::AlignCenter},
                             {QStringLiteral("Amount of Payment"), 460, Grid::AlignRight}});
    // The boxes have no captions of their own: the headings of the columns they sit under name
    // them.
    NameForReaders(m_grid, AccessibleName(windowTitle()));
    NameForReaders(m_year, AccessibleName(m_grid->cellText(0, 0)));
    NameForReaders(m_payment, AccessibleName(m_grid->cellText(0, 1)));
    m_grid->setSelEnd(1, 1);
}

void PrePayWindow::usePrePay() {
    commitPendingEntry(m_ok);
    std::int16_t count = 0;
    for (int y = 1; y <= m_state.PrePayYears; ++y) {
        if (m_state.PrePayTable.at(y, 2) > Currency())
            ++count;
    }
    m_state.PrePayCount = count;
    accept();
}

void PrePayWindow::eraseAll() {
    commitPendingEntry(m_eraseAll);
    for (int y = 1; y <= m_state.PrePayYears; ++y)
        m_state.PrePayTable.at(y, 2) = Currency();
    m_state.PrePayCount = 0;
    accept();
}

// A command reached by its access key leaves the focus where it was; the box is left first so an
// amount still being typed is stored (or refused) before the command's own work.
void PrePayWindow::commitPendingEntry(QPushButton* command) {
    if (m_year->hasFocus() || m_payment->hasFocus())
        command->setFocus(Qt::OtherFocusReason);
}

bool PrePayWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Enter moves between the two boxes.
        if (watched == m_year)
            return boxKeyPress(key, m_payment, WholeNumberKeyFilter);
        if (watched == m_payment)
            return boxKeyPress(key, m_year, AmountKeyFilter);
    } else if (event->type() == QEvent::FocusOut && !m_refusing) {
        if (LeavesTheBox(static_cast<QFocusEvent*>(event))) {
            if (watched == m_year)
                yearLeft();
            else if (watched == m_payment)
                paymentLeft();
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool PrePayWindow::boxKeyPress(QKeyEvent* event, QWidget* next, FilteredKey (*keyFilter)(int)) {
    const KeyPress key = ReadKey(event, next);
    if (key.code == 0)
        return key.swallow;
    const FilteredKey filtered = keyFilter(key.code);
    if (filtered.beep)
        m_messages.beep();
    return filtered.code == 0;
}

void PrePayWindow::yearLeft() {
    const double year = Val(m_year->text());
    if (year > m_state.PrePayYears || year < 0) {
        refuse(kNoSuchYear);
        return;
    }
    m_entryYear = static_cast<int>(std::nearbyint(year));
}

void PrePayWindow::paymentLeft() {
    if (m_payment->text().isEmpty())
        return;
    // The amount goes to the year the year box accepted, and only while the box still shows it.
    const double shownYear = Val(m_year->text());
    const bool yearValid = shownYear > 0 && m_entryYear >= 1 &&
                           m_entryYear <= m_state.PrePayYears &&
                           std::nearbyint(shownYear) == m_entryYear;
    if (!yearValid) {
        refuse(kNoValidYear);
        m_payment->clear();
        return;
    }
    const double amount = Val(m_payment->text());
    m_grid->setCellText(m_entryYear, 1, Format(amount, u"##,,###.00"));
    m_state.PrePayTable.at(m_entryYear, 2) = Currency::fromDouble(amount);
    m_year->clear();
    m_payment->clear();
}

// The message takes the focus while it is up; the year box gets it back once the message is gone
// and the focus change that started this has run its course.
void PrePayWindow::refuse(const QString& text) {
    m_refusing = true;
    m_messages.message(text, kHelpTitle, MbOk);
    m_refusing = false;
    QTimer::singleShot(0, this, [this] { m_year->setFocus(Qt::OtherFocusReason); });
}

} // namespace qb
