// The To Printer dialog. Enter in the header box only moves the focus to "Continue &Printout":
// the box swallows it, so the dialog's default button is not pressed by the same key, and a
// second Enter, now on the button, prints.
#include "desktop/windows/naminput.h"

#include "desktop/platform/accessibility.h"
#include "desktop/platform/screenfit.h"
#include "desktop/platform/typinglimit.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qb {

NamInput::NamInput(SharedState& state, QWidget* parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("NamInput"));
    setWindowTitle(QStringLiteral("To Printer"));
    setModal(true);

    m_label = new QLabel(QStringLiteral(" Type in your one line header information."), this);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setObjectName(QStringLiteral("FName"));
    m_header = new QLineEdit(this);
    m_header->setObjectName(QStringLiteral("InFName"));
    LimitCharacters(m_header, kMaxHeaderLength);
    // Room for a whole header line.
    m_header->setMinimumWidth(m_header->fontMetrics().horizontalAdvance(QString(60, u'x')));
    m_header->installEventFilter(this);
    m_continue = new QPushButton(QStringLiteral("Continue &Printout"), this);
    m_continue->setObjectName(QStringLiteral("Acept"));
    m_cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("NAcept"));
    // The plain panel the label and the box sit on. A frame, not a label: a label does not
    // size itself to the layout inside it, and the box would shrink out of sight.
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Label1"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);

    auto* commands = new QHBoxLayout;
    commands->addStretch();
    commands->addWidget(m_continue);
    commands->addWidget(m_cancel);
    auto* inner = new QVBoxLayout(panel);
    inner->addWidget(m_label);
    inner->addWidget(m_header);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addLayout(commands);
    setTabOrder(m_header, m_continue);
    setTabOrder(m_continue, m_cancel);
    TieToCaption(m_header, m_label);

    connect(m_continue, &QPushButton::clicked, this, &NamInput::continuePrintout);
    connect(m_cancel, &QPushButton::clicked, this, &NamInput::cancel);
    m_header->setFocus();
    FitOnScreen(*this, sizeHint());
}

bool NamInput::askForHeader(SharedState& state, QWidget* parent) {
    NamInput dialog(state, parent);
    dialog.exec();
    return !isCancelled(state);
}

void NamInput::continuePrintout() {
    m_state.ReportHeader = m_header->text();
    accept();
}

void NamInput::cancel() {
    m_state.ReportHeader = QStringLiteral("1");
    reject();
}

// Esc is the keyboard's Cancel, not the frame's close: the report is not printed.
void NamInput::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel)) {
        cancel();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool NamInput::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_header && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            m_continue->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qb
