#include "desktop/windows/mainmenu.h"

#include "desktop/platform/focus.h"
#include "desktop/platform/keys.h"
#include "desktop/platform/screenfit.h"
#include "desktop/platform/teardown.h"
#include "desktop/platform/twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

namespace qb {

namespace {

const QString kTitle = QStringLiteral("Quillbrook Win95");

// Both windows: 9480 by 6360 twips of client area at 60, 345.
constexpr int kLeft = 60;
constexpr int kTop = 345;
constexpr int kWidth = 9480;
constexpr int kHeight = 6360;

int dpiOf(const QWidget* widget) {
    return widget->logicalDpiY();
}

void placeLikeTheMenu(QWidget* window) {
    const int dpi = dpiOf(window);
    window->setFixedSize(TwipsToPixels(kWidth, dpi), TwipsToPixels(kHeight, dpi));
    window->move(TwipsToPixels(kLeft, dpi), TwipsToPixels(kTop, dpi));
}

void paintBlue(QWidget* window) {
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 255));
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

} // namespace

BackgroundWindow::BackgroundWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("bakgnd"));
    setWindowTitle(kTitle);
    paintBlue(this);
    placeLikeTheMenu(this);
}

void BackgroundWindow::placeBehind(const QWidget& menu) {
    setFixedSize(menu.size());
    move(menu.pos());
}

MainMenu::MainMenu(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MenuMain"));
    setWindowTitle(kTitle);
    paintBlue(this);
    placeLikeTheMenu(this);
    const int dpi = dpiOf(this);
    const auto rect = [dpi](int left, int top, int width, int height) {
        return QRect(TwipsToPixels(left, dpi), TwipsToPixels(top, dpi), TwipsToPixels(width, dpi),
                     TwipsToPixels(height, dpi));
    };

    auto* band = new QLabel(this);
    band->setObjectName(QStringLiteral("Label1"));
    band->setTextFormat(Qt::PlainText);
    band->setAutoFillBackground(true);
    QPalette grey = band->palette();
    grey.setColor(QPalette::Window, QColor(0xc0, 0xc0, 0xc0));
    band->setPalette(grey);
    band->setGeometry(rect(360, 240, 8760, 720));

    auto* title = new QLabel(kTitle, this);
    title->setObjectName(QStringLiteral("Label2"));
    title->setTextFormat(Qt::PlainText);
    QFont titleFont(QStringLiteral("MS Serif"));
    titleFont.setStyleHint(QFont::Serif);
    titleFont.setPointSize(24);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    title->setGeometry(rect(360, 240, 8760, 720));

    m_ownerName = new QLabel(this);
    m_ownerName->setObjectName(QStringLiteral("MyName"));
    // The name is the user's own text, shown as typed: never read as markup.
    m_ownerName->setTextFormat(Qt::PlainText);
    m_ownerName->setAlignment(Qt::AlignCenter);
    QPalette white = m_ownerName->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    m_ownerName->setPalette(white);
    QFont nameFont = m_ownerName->font();
    nameFont.setPointSizeF(12);
    nameFont.setBold(true);
    m_ownerName->setFont(nameFont);
    m_ownerName->setGeometry(rect(360, 5500, 8760, 480));
    m_ownerName->hide();

    connect(addButton("MortCalc", QStringLiteral("Mortgage &Tables"), 1200), &QPushButton::clicked,
            this, &MainMenu::mortgageTablesChosen);
    connect(addButton("CompMort", QStringLiteral("Mortgage &Comparisons"), 1800),
            &QPushButton::clicked, this, &MainMenu::comparisonsChosen);
    connect(addButton("PersonalLoan", QStringLiteral("Personal &Loan Tables"), 2400),
            &QPushButton::clicked, this, &MainMenu::loanTablesChosen);
    connect(addButton("HowUse", QStringLiteral("&How to Use the Program"), 3000),
            &QPushButton::clicked, this, &MainMenu::helpChosen);
    // Personalize and About open modal windows; the focus comes back to their buttons.
    QPushButton* personalize = addButton("PtrFnt", QStringLiteral("&Personalize Settings"), 3600);
    connect(personalize, &QPushButton::clicked, this, [this, personalize] {
        emit personalizeChosen();
        ReturnFocus(personalize);
    });
    QPushButton* about = addButton("About1", QStringLiteral("&About..."), 4200);
    connect(about, &QPushButton::clicked, this, [this, about] {
        emit aboutChosen();
        ReturnFocus(about);
    });
    connect(addButton("EndMort", QStringLiteral("E&xit Program"), 4800), &QPushButton::clicked,
            this, &MainMenu::exitChosen);
    // A screen too small for the menu moves it, and scrolls its buttons when even that is not
    // enough.
    FitOnScreen(*this, size());
}

MainMenu::~MainMenu() {
    DetachFromChildren(*this);
}

QPushButton* MainMenu::addButton(const char* name, const QString& caption, int top) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(9.75);
    font.setBold(true);
    button->setFont(font);
    PressOnEnter(button);
    const int dpi = dpiOf(this);
    button->setGeometry(TwipsToPixels(3500, dpi), TwipsToPixels(top, dpi), TwipsToPixels(2800, dpi),
                        TwipsToPixels(465, dpi));
    // Created top to bottom, so the tab order runs down the column.
    return button;
}

void MainMenu::showOwnerName(const QString& name) {
    m_ownerName->setText(name);
    m_ownerName->setVisible(!name.isEmpty());
}

void MainMenu::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit exitChosen();
}

} // namespace qb
