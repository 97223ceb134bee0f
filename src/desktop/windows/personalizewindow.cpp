#include "desktop/windows/personalizewindow.h"

#include "core/settings/daysperyear.h"
#include "core/settings/settingsfile.h"
#include "desktop/platform/accessibility.h"
#include "desktop/platform/focus.h"
#include "desktop/platform/keys.h"
#include "desktop/platform/screenfit.h"
#include "desktop/platform/teardown.h"
#include "desktop/platform/typinglimit.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>
#include <vector>

namespace qb {

namespace {

bool isEnter(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// Keys that change a box's text: a typed character, Backspace, and pasting. Moving the cursor,
// copying or Escape leave the text as it is and so do not start a new entry.
bool changesText(const QKeyEvent* event) {
    if (event->key() == Qt::Key_Backspace || event->matches(QKeySequence::Paste))
        return true;
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    const char16_t code = text.at(0).unicode();
    return code >= 0x20 && code != 0x7F;
}

bool inGroup(const QButtonGroup* group, QObject* object) {
    auto* button = qobject_cast<QAbstractButton*>(object);
    return button && group->buttons().contains(button);
}

void selectButton(QButtonGroup* group, int id) {
    // A value no button stands for (a hand-edited settings file) selects nothing: the window
    // shows no choice rather than a wrong one.
    if (QAbstractButton* button = group->button(id))
        button->setChecked(true);
}

QGroupBox* optionFrame(QWidget& window, const QString& name, const QString& caption) {
    auto* frame = new QGroupBox(caption, &window);
    frame->setObjectName(name);
    frame->setLayout(new QVBoxLayout);
    return frame;
}

// Buttons are added to the frame in the order given, each under its index in the group.
QButtonGroup* optionGroup(QWidget& window, QGroupBox* frame, const QString& name,
                          const std::vector<std::pair<int, QString>>& buttons) {
    auto* group = new QButtonGroup(&window);
    for (const auto& [index, caption] : buttons) {
        auto* button = new QRadioButton(caption, frame);
        button->setObjectName(name + QString::number(index));
        NameAfterOwnCaption(button);
        frame->layout()->addWidget(button);
        group->addButton(button, index);
    }
    return group;
}

} // namespace

PersonalizeWindow::PersonalizeWindow(SharedState& state, QString settingsPath, QWidget* parent)
    : QDialog(parent), m_state(state), m_settingsPath(std::move(settingsPath)) {
    setObjectName(QStringLiteral("ChangeFnt"));
    setWindowTitle(QStringLiteral("Personalize"));
    setModal(true);
    buildControls();
    load();
    FitOnScreen(*this, sizeHint());
}

PersonalizeWindow::~PersonalizeWindow() {
    DetachFromChildren(*this);
}

void PersonalizeWindow::buildControls() {
    const auto makeLabel = [this](const QString& name, const QString& caption) {
        auto* label = new QLabel(caption, this);
        label->setTextFormat(Qt::PlainText);
        label->setObjectName(name);
        return label;
    };

    m_symbol = new QLineEdit(this);
    m_symbol->setObjectName(QStringLiteral("InSy"));
    LimitTyping(m_symbol, 2);
    m_symbol->setMaximumWidth(m_symbol->fontMetrics().horizontalAdvance(QStringLiteral("MMMM")));
    m_symbol->installEventFilter(this);
    auto* symbolLabel =
        makeLabel(QStringLiteral("Label3"), QStringLiteral(" Change the currency symbol"));

    auto* daysFrame = optionFrame(*this, QStringLiteral("Frame3"),
                                  QStringLiteral("Change interest rate factor - days"));
    std::vector<std::pair<int, QString>> days;
    for (std::size_t i = 0; i < kDaysPerYearChoices.size(); ++i)
        days.emplace_back(static_cast<int>(i),
                          QStringView(kDaysPerYearChoices[i].caption).toString());
    m_daysPerYear = optionGroup(*this, daysFrame, QStringLiteral("IRFactor"), days);
    for (QAbstractButton* button : m_daysPerYear->buttons())
        button->installEventFilter(this);

    auto* fontFrame =
        optionFrame(*this, QStringLiteral("Frame2"), QStringLiteral("Change printer fonts"));
    m_printerFont = optionGroup(*this, fontFrame, QStringLiteral("PtrFt"),
                                {{1, QStringLiteral("Courier New 11 point font.")},
                                 {0, QStringLiteral("Standard printer font.")}});

    auto* compoundFrame = optionFrame(*this, QStringLiteral("Frame1"),
                                      QStringLiteral("Change interest compound period"));
    m_compounding = optionGroup(*this, compoundFrame, QStringLiteral("CPeriod"),
                                {{4, QStringLiteral("Annual")},
                                 {3, QStringLiteral("Semi-Annual")},
                                 {2, QStringLiteral("Quarterly")},
                                 {1, QStringLiteral("Bi-Monthly")},
                                 {0, QStringLiteral("Monthly")}});

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("InMyName"));
    m_name->setMaxLength(82);
    m_name->installEventFilter(this);
    auto* nameLabel = makeLabel(QStringLiteral("Label2"), QStringLiteral(" Type in your name"));

    m_exit = new QPushButton(QStringLiteral("E&xit to Menu"), this);
    m_exit->setObjectName(QStringLiteral("ExitFonts"));
    // Enter moves along the boxes to this button; only pressed on the button itself does it
    // leave the window (see keyPressEvent).
    m_exit->setAutoDefault(false);

    // The symbol and the days on the left, fonts and compounding on the right, the name and the
    // way out along the bottom.
    auto* symbolRow = new QHBoxLayout;
    symbolRow->addWidget(m_symbol);
    symbolRow->addWidget(symbolLabel, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(symbolRow);
    left->addWidget(daysFrame);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(fontFrame);
    right->addWidget(compoundFrame);
    right->addStretch();
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(m_name, 1);
    auto* layout = new QGridLayout(this);
    layout->addLayout(left, 0, 0);
    layout->addLayout(right, 0, 1);
    layout->addLayout(nameRow, 1, 0, 1, 2);
    layout->addWidget(m_exit, 2, 1, Qt::AlignRight);
    m_name->setMinimumWidth(m_name->fontMetrics().averageCharWidth() * 40);
    TieToCaption(m_symbol, symbolLabel);
    TieToCaption(m_name, nameLabel);
    connectControls();
}

void PersonalizeWindow::connectControls() {
    // Each group of options is one stop of the Tab key, at its selected option.
    QWidget* previous = m_symbol;
    for (QButtonGroup* group : {m_daysPerYear, m_printerFont, m_compounding}) {
        for (QAbstractButton* button : group->buttons()) {
            setTabOrder(previous, button);
            previous = button;
        }
        TabStopAtSelected(group->buttons());
    }
    setTabOrder(previous, m_name);
    setTabOrder(m_name, m_exit);

    connect(m_compounding, &QButtonGroup::idClicked, this,
            [this](int id) { m_state.CompoundChoice = static_cast<std::int16_t>(id); });
    connect(m_printerFont, &QButtonGroup::idClicked, this,
            [this](int id) { m_state.PrinterFontChoice = static_cast<std::int16_t>(id); });
    connect(m_daysPerYear, &QButtonGroup::idClicked, this,
            [this](int id) { m_state.DayFactorChoice = static_cast<std::int16_t>(id); });
    connect(m_exit, &QPushButton::clicked, this, &PersonalizeWindow::saveSettings);
}

void PersonalizeWindow::load() {
    selectButton(m_compounding, m_state.CompoundChoice);
    selectButton(m_daysPerYear, m_state.DayFactorChoice);
    selectButton(m_printerFont, m_state.PrinterFontChoice);
    m_symbol->setText(m_state.CurrencySymbol);
    m_name->setText(m_state.OwnerName);
    // The first key typed into the symbol box replaces the symbol, whatever box was used last.
    m_state.EntryStarted = 0;
}

void PersonalizeWindow::saveSettings() {
    // A click that did not take the focus, as on platforms whose buttons never do, must still
    // find the box the user was typing in committed.
    QWidget* focus = QApplication::focusWidget();
    if (focus == m_symbol)
        symbolLeft();
    else if (focus == m_name)
        nameLeft();

    m_state.CurrencySymbol = m_symbol->text().trimmed();
    if (SaveSettings(m_state, m_settingsPath))
        emit settingsSaved();
    accept();
}

void PersonalizeWindow::done(int result) {
    ApplyDaysPerYear(m_state, m_state.DayFactorChoice);
    QDialog::done(result);
}

void PersonalizeWindow::keyPressEvent(QKeyEvent* event) {
    // Enter never closes the window by itself, as a dialog's default button would; it is only
    // the exit button's own key.
    if (isEnter(event)) {
        if (m_exit->hasFocus())
            m_exit->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool PersonalizeWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        if (watched == m_symbol)
            return symbolKeyPress(static_cast<QKeyEvent*>(event));
        if (watched == m_name)
            return nameKeyPress(static_cast<QKeyEvent*>(event));
        break;
    case QEvent::MouseButtonPress:
        if (watched == m_symbol && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_state.EntryStarted = 1;
            m_symbol->clear();
        }
        break;
    case QEvent::FocusOut:
        if (!LeavesTheBox(static_cast<QFocusEvent*>(event)))
            break;
        if (watched == m_symbol)
            symbolLeft();
        else if (watched == m_name)
            nameLeft();
        else if (inGroup(m_daysPerYear, watched))
            daysGroupLeft();
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

bool PersonalizeWindow::symbolKeyPress(QKeyEvent* event) {
    if (isEnter(event)) {
        MoveFocusByKey(m_name);
        return true;
    }
    if (changesText(event) && m_state.EntryStarted == 0) {
        m_symbol->clear();
        m_state.EntryStarted = 1;
    }
    return false;
}

bool PersonalizeWindow::nameKeyPress(QKeyEvent* event) {
    if (isEnter(event)) {
        MoveFocusByKey(m_exit);
        return true;
    }
    return false;
}

void PersonalizeWindow::symbolLeft() {
    if (m_state.EntryStarted == 1)
        m_state.CurrencySymbol = m_symbol->text();
    m_state.EntryStarted = 0;
}

void PersonalizeWindow::nameLeft() {
    m_state.OwnerName = m_name->text();
    m_state.EntryStarted = 0;
}

// The days-per-year pick takes effect when the focus moves out of its group, not from one of
// its buttons to another.
void PersonalizeWindow::daysGroupLeft() {
    if (inGroup(m_daysPerYear, QApplication::focusWidget()))
        return;
    ApplyDaysPerYear(m_state, m_state.DayFactorChoice);
}

} // namespace qb
