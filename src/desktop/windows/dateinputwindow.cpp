// The Input Date window. Whatever the user types is read as a date when the focus leaves the box:
// a date is shown back and kept in the short form, anything else is refused and the last good
// date comes back into the box. The first key typed into the box replaces the shown date.
#include "desktop/windows/dateinputwindow.h"

#include "core/format/shortdate.h"
#include "desktop/platform/accessibility.h"
#include "desktop/platform/keys.h"
#include "desktop/platform/screenfit.h"
#include "desktop/platform/teardown.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <optional>

namespace qb {

namespace {

// Years of four digits at most and at least three: a schedule dated in the year 99 is a typing
// slip, not a loan, and a five-digit year has no short form to be shown in.
constexpr int kFirstYear = 100;
constexpr int kLastYear = 9999;

std::optional<QDate> paymentDate(const QString& text) {
    const std::optional<QDate> date = ParseShortDate(text);
    if (!date || date->year() < kFirstYear || date->year() > kLastYear)
        return std::nullopt;
    return date;
}

// The kept date in the short form; a text that is not a date is shown as it is.
QString shownDate(const QString& kept) {
    const std::optional<QDate> date = ParseShortDate(kept);
    return date ? ToShortDate(*date) : kept;
}

// Esc types nothing: it closes the window as its frame does, with the box as it was.
bool typesSomething(const QKeyEvent* event) {
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab ||
        event->key() == Qt::Key_Escape)
        return false;
    return event->key() == Qt::Key_Backspace || !event->text().isEmpty();
}

} // namespace

DateInputWindow::DateInputWindow(SharedState& state, MessageBoxService& messages, QWidget* parent)
    : QDialog(parent), m_state(state), m_messages(messages) {
    setObjectName(QStringLiteral("DateInput"));
    setWindowTitle(QStringLiteral("Input Date"));

    m_label = new QLabel(QStringLiteral(" Type in the date of  the first payment."), this);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_date = new QLineEdit(this);
    m_date->setObjectName(QStringLiteral("InDate"));
    m_date->setStyleSheet(QStringLiteral("background: yellow; color: black;"));
    m_date->installEventFilter(this);
    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("OkExit"));

    auto* commands = new QHBoxLayout;
    commands->addStretch();
    commands->addWidget(m_ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_date);
    layout->addLayout(commands);
    setTabOrder(m_date, m_ok);
    TieToCaption(m_date, m_label);

    connect(m_ok, &QPushButton::clicked, this, &DateInputWindow::okExit);

    m_state.EntryStarted = 0;
    m_date->setText(shownDate(m_state.FirstPayDate));
    m_date->setFocus();
    FitOnScreen(*this, sizeHint());
}

DateInputWindow::~DateInputWindow() {
    DetachFromChildren(*this);
}

// A refused date keeps the window open so the user can type it again; the message has said why
// and the last good date is back in the box.
void DateInputWindow::okExit() {
    // Reached by its access key the button leaves the focus in the box: leave it first so the
    // typed date is checked and kept before the window closes.
    if (m_date->hasFocus())
        m_ok->setFocus(Qt::OtherFocusReason);
    if (m_entryRefused) {
        m_entryRefused = false;
        return;
    }
    accept();
}

bool DateInputWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_date)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress)
        return dateKeyPress(static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::FocusOut && !m_refusing) {
        if (LeavesTheBox(static_cast<QFocusEvent*>(event)))
            dateLeft();
    }
    return QDialog::eventFilter(watched, event);
}

bool DateInputWindow::dateKeyPress(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        MoveFocusByKey(m_ok);
        return true;
    }
    if (typesSomething(event) && m_state.EntryStarted == 0) {
        m_date->clear();
        m_state.EntryStarted = 1;
    }
    return false;
}

void DateInputWindow::dateLeft() {
    const std::optional<QDate> date = paymentDate(m_date->text());
    if (!date) {
        m_refusing = true;
        m_messages.message(QStringLiteral("Not a valid date, try again. "),
                           QStringLiteral("Entry error"), MbOk);
        m_refusing = false;
        m_date->setText(shownDate(m_state.FirstPayDate));
        m_entryRefused = true;
        // Once the message is gone and the focus change that started this has run its course.
        QTimer::singleShot(0, this, [this] { m_date->setFocus(Qt::OtherFocusReason); });
        m_state.EntryStarted = 0;
        return;
    }
    const QString text = ToShortDate(*date);
    m_date->setText(text);
    m_state.FirstPayDate = text;
    m_state.EntryStarted = 0;
    m_entryRefused = false;
}

} // namespace qb
