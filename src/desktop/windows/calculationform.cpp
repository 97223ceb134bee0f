// The calculation windows' shared form: its controls, and the key and focus rules of its inputs;
// see calculationform.h.
#include "desktop/windows/calculationform.h"

#include "core/format/entrytext.h"
#include "core/format/format.h"
#include "core/reports/spreadsheet.h"
#include "core/state/calculation.h"
#include "desktop/platform/accessibility.h"
#include "desktop/platform/captionlabel.h"
#include "desktop/platform/grid.h"
#include "desktop/platform/keys.h"
#include "desktop/platform/listbox.h"
#include "desktop/platform/resultlabel.h"
#include "desktop/platform/typinglimit.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <cmath>
#include <utility>

namespace qb {

namespace {

const QString kNoData = QStringLiteral("No Data to work with. Calculate.");
const QString kHelpCaption = QStringLiteral("&Help");
const QString kCloseHelpCaption = QStringLiteral("Close &Help");

// What the user may type into an input box; what the form writes back may be longer.
constexpr int kTypedLength = 16;

// A period of whole months up to the limit is kept as typed; anything else (an empty box, a
// fraction) leaves only the years kept to four decimals.
std::int16_t wholeMonths(double months) {
    if (months >= 1 && months <= 480 && months == std::floor(months))
        return static_cast<std::int16_t>(months);
    return 0;
}

// The input boxes and result labels show padded figures, which only line up in a fixed font.
QFont FigureFont() {
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

} // namespace

QString JoinHelp(std::initializer_list<std::pair<const char*, int>> pieces) {
    QString text;
    for (const auto& [piece, breaks] : pieces)
        text += QString::fromUtf8(piece) + QString(breaks, u'\n');
    return text;
}

// Watches the form's controls: the keys and focus changes of the boxes, lists and help panel,
// and what reaches the boxes' line edits past the keyboard: the mouse's paste, drops, the
// context menu, and any edit of the user's.
class CalculationForm::Watcher : public QObject {
public:
    explicit Watcher(CalculationForm& owner) : m_owner(owner) {}

    void watchEdits() {
        for (const EntryBox box : {EntryBox::Principal, EntryBox::Rate, EntryBox::Term}) {
            QLineEdit* edit = m_owner.edit(box);
            edit->installEventFilter(this);
            // Cut, undo and a menu's Delete change the text without a typed key.
            connect(edit, &QLineEdit::textEdited, this, [this] {
                if (m_owner.m_state.EntryStarted == 0)
                    m_owner.m_setup.resetEntry();
            });
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (m_owner.filter(watched, event))
            return true;
        for (const EntryBox box : {EntryBox::Principal, EntryBox::Rate, EntryBox::Term}) {
            if (watched == m_owner.edit(box))
                return m_owner.editEvent(box, event);
        }
        return false;
    }

private:
    CalculationForm& m_owner;
};

CalculationForm::CalculationForm(QWidget& window, Setup setup, SharedState& state,
                                 MessageBoxService& messages)
    : m_window(window), m_setup(std::move(setup)), m_state(state), m_messages(messages),
      m_watcher(std::make_unique<Watcher>(*this)) {
    buildBoxes();
}

CalculationForm::~CalculationForm() = default;

QComboBox* CalculationForm::makeCombo(const QString& name, bool editable) {
    auto* combo = new ListBox(&m_window);
    combo->setObjectName(name);
    combo->setEditable(editable);
    // The value is exactly what was typed: no entry of the list completes it.
    if (editable) {
        combo->setCompleter(nullptr);
        if (m_setup.figureLength > 0) {
            combo->setMinimumContentsLength(m_setup.figureLength);
            combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        }
    }
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setFont(FigureFont());
    combo->setStyleSheet(QStringLiteral("QComboBox { background: yellow; color: black; }"));
    // An editable box keeps the focus itself and hands the keys to its line edit, so its keys
    // and its focus changes are watched on the box.
    combo->installEventFilter(m_watcher.get());
    return combo;
}

void CalculationForm::buildBoxes() {
    m_principal = new QLineEdit(&m_window);
    m_principal->setObjectName(QStringLiteral("InPrincipal"));
    m_principal->setFont(FigureFont());
    m_principal->setAlignment(Qt::AlignRight);
    LimitTyping(m_principal, kTypedLength);
    if (m_setup.figureLength > 0)
        m_principal->setMinimumWidth(figureWidth(m_setup.figureLength));
    m_principal->setStyleSheet(QStringLiteral("background: yellow; color: black;"));
    m_principal->installEventFilter(m_watcher.get());
    m_rate = makeCombo(QStringLiteral("InRate"), true);
    m_term = makeCombo(QStringLiteral("InTerm"), true);
    LimitTyping(m_rate->lineEdit(), kTypedLength);
    LimitTyping(m_term->lineEdit(), kTypedLength);
    m_compounding = makeCombo(m_setup.compoundingName, false);
    m_frequency = makeCombo(QStringLiteral("FreqPmt"), false);
    m_watcher->watchEdits();

    m_principalCaption = makeCaption(QStringLiteral("Label1"), QString());
    m_rateCaption = makeCaption(QStringLiteral("Label2"), QString());
    m_termCaption = makeCaption(QStringLiteral("Label3"), QString());

    m_grid = new QGridLayout;
    m_grid->setHorizontalSpacing(10);
    addRow(0, 0, m_principalCaption, m_principal);
    addRow(1, 0, m_rateCaption, m_rate);
    addRow(2, 0, m_termCaption, m_term);
    addRow(3, 0,
           makeCaption(QStringLiteral("Label4"),
                       QStringLiteral(" Interest compound     periods per year.")),
           m_compounding);
    addRow(4, 0,
           makeCaption(m_setup.frequencyCaptionName,
                       QStringLiteral(" Frequency and type   of each payment.")),
           m_frequency);
    m_grid->setColumnMinimumWidth(0, 150);
}

void CalculationForm::addCommands(const Commands& names) {
    m_calc = makeButton(names.calcName, QStringLiteral("&Calculate"));
    m_addPrePay = makeButton(names.addPrePayName, QStringLiteral("&Additional Payments"));
    m_help = makeButton(names.helpName, kHelpCaption);
    m_graphs = makeButton(names.graphsName, QStringLiteral("&Show Graph"));
    m_print = makeButton(names.printName, names.printCaption);
    m_exit = makeButton(names.exitName, QStringLiteral("E&xit to Menu"));

    auto* commands = new QVBoxLayout;
    for (QPushButton* button : {m_calc, m_addPrePay, m_help, m_graphs, m_print, m_exit})
        commands->addWidget(button);
    commands->addStretch();
    // Room the window gains goes to its grids; up here it only parts the boxes from the
    // commands, so the boxes and results keep their widths and their figures stay in place.
    m_top = new QHBoxLayout;
    m_top->addLayout(m_grid);
    m_top->addSpacing(12);
    m_top->addStretch(1);
    m_top->addLayout(commands);
}

void CalculationForm::addHelpPanel(const QString& name, QList<QWidget*> covered) {
    m_covered = std::move(covered);
    m_helpPanel = new QPlainTextEdit(&m_window);
    m_helpPanel->setObjectName(name);
    m_helpPanel->setReadOnly(true);
    m_helpPanel->setStyleSheet(QStringLiteral("background: cyan; color: black;"));
    m_helpPanel->installEventFilter(m_watcher.get());
    m_helpPanel->hide();
    NameForReaders(m_helpPanel, AccessibleName(kHelpCaption));
}

QHBoxLayout* CalculationForm::takeTop() {
    return std::exchange(m_top, nullptr);
}

void CalculationForm::load(const Defaults& defaults) {
    const QString& symbol = m_state.CurrencySymbol;
    m_state.InputValues[1] = Currency::fromDouble(defaults.principal);
    m_principal->setText(QStringLiteral("   ") + symbol + defaults.principalText);
    m_principalCaption->setText(defaults.principalCaption);
    m_rateCaption->setText(defaults.rateCaption);
    m_termCaption->setText(defaults.termCaption);
    TieToCaption(m_principal, m_principalCaption);
    TieToCaption(m_rate, m_rateCaption);
    TieToCaption(m_term, m_termCaption);

    m_state.InputValues[2] = Currency::fromDouble(10);
    m_rate->addItems({QStringLiteral("6 "), QStringLiteral("7 "), QStringLiteral("8 "),
                      QStringLiteral("9 "), QStringLiteral("10 ")});
    m_rate->setCurrentIndex(-1);
    m_rate->setEditText(QStringLiteral("         10.00%"));
    m_state.InputValues[3] = Currency::fromDouble(defaults.termYears);
    m_term->addItems(defaults.termList);
    m_term->setCurrentIndex(-1);
    m_term->setEditText(defaults.termText);

    // The lists are the engine's own texts, so a choice always names an entry it knows.
    for (const Compounding& compounding : kCompoundings)
        m_compounding->addItem(QStringView(compounding.text).toString());
    const int choice = defaults.compounding;
    m_compounding->setCurrentIndex(choice >= 1 && choice <= 4 ? choice : 0);
    for (const Frequency& frequency : kFrequencies)
        m_frequency->addItem(QStringView(frequency.text).toString());
    m_frequency->setCurrentIndex(0);
}

QLabel* CalculationForm::makeCaption(const QString& name, const QString& caption) const {
    auto* label = new CaptionLabel(caption, &m_window);
    label->setObjectName(name);
    label->setAccessibleName(AccessibleName(caption));
    return label;
}

QLabel* CalculationForm::makeResult(const QString& name, bool fillBackground) const {
    auto* label = new ResultLabel(&m_window);
    label->setObjectName(name);
    label->setFont(FigureFont());
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    if (fillBackground)
        label->setAutoFillBackground(true);
    label->setStyleSheet(QStringLiteral("background: white; color: black;"));
    return label;
}

QPushButton* CalculationForm::makeButton(const QString& name, const QString& caption) const {
    auto* button = new QPushButton(caption, &m_window);
    button->setObjectName(name);
    PressOnEnter(button);
    // A caption padded with blanks keeps its place in the column; readers are told it without
    // them. Such captions never change.
    if (caption != caption.trimmed())
        NameAfterOwnCaption(button);
    return button;
}

int CalculationForm::figureWidth(int length) {
    // The figure's width and room for a box's frame and inner margins.
    return QFontMetrics(FigureFont()).horizontalAdvance(QString(length, u'0')) + 12;
}

void CalculationForm::addRow(int row, int column, QLabel* caption, QWidget* field) const {
    m_grid->addWidget(caption, row, column);
    m_grid->addWidget(field, row, column + 1);
    TieToCaption(field, caption);
}

void CalculationForm::commit(EntryBox box) {
    QLineEdit* edit = this->edit(box);
    if (box == EntryBox::Term && Val(edit->text()) > m_setup.termLimit) {
        m_messages.message(m_setup.termLimitMessage, QStringLiteral("Help"));
        edit->setText(QString::number(m_setup.termLimit));
    }
    if (m_state.EntryStarted == 1) {
        // InputValues keeps the principal, rate and term at 1, 2 and 3.
        const auto index = static_cast<std::size_t>(box) + 1;
        // A loan's months are kept as years, to four decimals: 7 months is 0.5833 years.
        const bool months = box == EntryBox::Term && m_setup.termInMonths;
        const double typed = ShownAmount(edit->text(), m_state.CurrencySymbol);
        double value = typed / (months ? 12 : 1);
        try {
            m_state.InputValues[index] = Currency::fromDouble(value);
            if (months)
                m_state.TermMonths = wholeMonths(typed);
        } catch (const OverflowError&) {
            // Too many digits for an amount: keep the value the box had before.
            m_messages.message(QString::fromLatin1(kWrongEntry), QStringLiteral("Help"));
            value = m_state.InputValues[index].toDouble();
        }
        showKept(box, value);
    }
    m_state.EntryStarted = 0;
}

// Writes a committed figure back into its box in the box's format.
void CalculationForm::showKept(EntryBox box, double value) {
    QLineEdit* edit = this->edit(box);
    switch (box) {
    case EntryBox::Principal:
        edit->setText(PadColumn(m_state.CurrencySymbol + Format(value, u"####,,###.00"), 16));
        break;
    case EntryBox::Rate:
        edit->setText(PadColumn(Format(value, u"###.00"), 16) + QLatin1Char('%'));
        break;
    case EntryBox::Term: {
        const double kept = m_setup.termShownAsKept ? m_state.InputValues[3].toDouble() : value;
        edit->setText(PadColumn(Format(m_setup.termInMonths ? kept * 12 : kept, u"###"), 16));
        break;
    }
    }
}

LoanInput CalculationForm::loanInput(ScheduleKind kind) const {
    // The lists hold the engine's entries in their order; no entry picked is no entry.
    const auto entry = [](const auto& entries, int index) {
        return index >= 0 && index < static_cast<int>(entries.size())
                   ? &entries[static_cast<std::size_t>(index)]
                   : nullptr;
    };
    return LoanInputFrom(m_state, entry(kFrequencies, m_frequency->currentIndex()),
                         entry(kCompoundings, m_compounding->currentIndex()), kind);
}

void CalculationForm::offerSaveAsCsv(Grid* grid, const QString& fileName, CsvText csv) {
    grid->setSaveAsCsv([this, fileName, csv = std::move(csv)] {
        // The text is made once, before the dialog, and written as it was then.
        const std::optional<QString> text = csv();
        if (!text) {
            m_messages.message(kNoData, QStringLiteral("Advisory"));
            return;
        }
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString path = QFileDialog::getSaveFileName(
            &m_window, QStringLiteral("Save as CSV"), QDir(folder).filePath(fileName),
            QStringLiteral("CSV files (*.csv);;All files (*)"));
        if (!path.isEmpty())
            writeCsv(path, *text);
    });
}

bool CalculationForm::saveCsv(const QString& path, const CsvText& csv) const {
    const std::optional<QString> text = csv();
    if (!text) {
        m_messages.message(kNoData, QStringLiteral("Advisory"));
        return false;
    }
    return writeCsv(path, *text);
}

bool CalculationForm::writeCsv(const QString& path, const QString& text) const {
    if (const std::optional<QString> error = SaveTextFile(path, text)) {
        m_messages.message(QStringLiteral("The file could not be saved: ") + *error,
                           QStringLiteral("Advisory"));
        return false;
    }
    return true;
}

bool CalculationForm::helpShown() const {
    return m_help->text() == kCloseHelpCaption;
}

void CalculationForm::showHelp(const QString& text) {
    m_help->setText(kCloseHelpCaption);
    m_print->setEnabled(false);
    m_graphs->setEnabled(false);
    for (QWidget* widget : m_covered)
        widget->hide();
    m_helpPanel->show();
    m_helpPanel->setFocus();
    m_helpPanel->setPlainText(text);
}

void CalculationForm::hideHelp() {
    m_help->setText(kHelpCaption);
    m_print->setEnabled(true);
    m_graphs->setEnabled(true);
    m_helpPanel->hide();
    for (QWidget* widget : m_covered)
        widget->show();
}

bool CalculationForm::filter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == m_principal)
            return boxKeyPress(EntryBox::Principal, key);
        if (watched == m_rate)
            return boxKeyPress(EntryBox::Rate, key);
        if (watched == m_term)
            return boxKeyPress(EntryBox::Term, key);
        if (watched == m_compounding)
            return listKeyPress(m_frequency, key);
        if (watched == m_frequency)
            return listKeyPress(m_calc, key);
        if (watched == m_helpPanel)
            return helpKeyPress(key);
    } else if (event->type() == QEvent::FocusOut) {
        if (LeavesTheBox(static_cast<QFocusEvent*>(event))) {
            if (watched == m_principal)
                commit(EntryBox::Principal);
            else if (watched == m_rate)
                commit(EntryBox::Rate);
            else if (watched == m_term)
                commit(EntryBox::Term);
        }
    }
    return false;
}

QLineEdit* CalculationForm::edit(EntryBox box) const {
    switch (box) {
    case EntryBox::Principal:
        return m_principal;
    case EntryBox::Rate:
        return m_rate->lineEdit();
    case EntryBox::Term:
        break;
    }
    return m_term->lineEdit();
}

bool CalculationForm::boxKeyPress(EntryBox box, QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        paste(box, QGuiApplication::clipboard()->text(QClipboard::Clipboard));
        return true;
    }
    if (event->key() == Qt::Key_Delete) {
        m_setup.resetEntry();
        return false;
    }
    QWidget* next = box == EntryBox::Principal ? static_cast<QWidget*>(m_rate)
                    : box == EntryBox::Rate    ? static_cast<QWidget*>(m_term)
                                               : static_cast<QWidget*>(m_compounding);
    const KeyPress key = ReadKey(event, next);
    if (key.code == 0)
        return key.swallow;
    const FilteredKey filtered =
        box == EntryBox::Term ? WholeNumberKeyFilter(key.code) : AmountKeyFilter(key.code);
    if (filtered.beep)
        m_messages.beep();
    const bool firstKey = m_state.EntryStarted == 0;
    if (firstKey)
        edit(box)->clear();
    if (firstKey || m_setup.resetOnEveryKey)
        m_setup.resetEntry();
    return filtered.code == 0;
}

bool CalculationForm::editEvent(EntryBox box, QEvent* event) {
    QLineEdit* edit = this->edit(box);
    switch (event->type()) {
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (mouse->button() != Qt::MiddleButton || !clipboard->supportsSelection())
            return false;
        edit->setCursorPosition(edit->cursorPositionAt(mouse->position().toPoint()));
        paste(box, clipboard->text(QClipboard::Selection));
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!drop->mimeData()->hasText())
            return false;
        edit->setFocus(Qt::MouseFocusReason);
        edit->setCursorPosition(edit->cursorPositionAt(drop->position().toPoint()));
        paste(box, drop->mimeData()->text());
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        return true;
    }
    case QEvent::ContextMenu: {
        // The box's own menu, with its Paste going through the same check as a typed paste.
        std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
        for (QAction* action : menu->actions()) {
            if (action->objectName() == QLatin1String("edit-paste")) {
                action->disconnect();
                QObject::connect(action, &QAction::triggered, m_watcher.get(), [this, box] {
                    paste(box, QGuiApplication::clipboard()->text(QClipboard::Clipboard));
                });
            }
        }
        menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    default:
        return false;
    }
}

void CalculationForm::paste(EntryBox box, const QString& text) {
    const QString figure = PastedFigure(text, m_state.CurrencySymbol, box == EntryBox::Term);
    if (figure.isEmpty()) {
        // Nothing of the paste is a figure this box takes; the box keeps what it shows.
        if (!text.trimmed().isEmpty())
            m_messages.beep();
        return;
    }
    QLineEdit* edit = this->edit(box);
    if (m_state.EntryStarted == 0)
        edit->clear();
    m_setup.resetEntry();
    edit->insert(figure);
}

bool CalculationForm::listKeyPress(QWidget* next, QKeyEvent* event) {
    const KeyPress key = ReadKey(event, next);
    if (key.code == 0)
        return key.swallow;
    m_messages.beep();
    m_setup.resetEntry();
    return true;
}

bool CalculationForm::helpKeyPress(QKeyEvent* event) {
    const KeyPress key = ReadKey(event, m_principal);
    if (key.code == 0)
        return key.swallow;
    m_messages.beep(); // the panel is read-only
    return true;
}

} // namespace qb
