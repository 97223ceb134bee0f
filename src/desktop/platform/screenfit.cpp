// Fitting a window into the free area of its screen; see screenfit.h.
#include "desktop/platform/screenfit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLayout>
#include <QRect>
#include <QScreen>
#include <QScrollArea>
#include <QSize>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace qb {

namespace {

// The scroll area a window's content is moved into when it does not fit.
const QString kScrollName = QStringLiteral("WholeWindowScroll");

QMargins marginsOf(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

// A position moved as little as it takes for length from it to lie inside [start, start + room).
int keepInside(int position, int length, int start, int room) {
    return std::max(start, std::min(position, start + room - length));
}

// The controls Tab stops at, in the order it visits them. Options of a group count all, whichever
// is the group's stop now: the stop moves to the option that gets selected.
QList<QWidget*> tabStops(const QWidget& window) {
    QList<QWidget*> stops;
    for (QWidget* next = window.nextInFocusChain(); next && next != &window;
         next = next->nextInFocusChain()) {
        const auto* option = qobject_cast<const QAbstractButton*>(next);
        const bool stop = (next->focusPolicy() & Qt::TabFocus) == Qt::TabFocus ||
                          (option && option->autoExclusive() && option->isCheckable());
        if (window.isAncestorOf(next) && stop && !next->focusProxy() && !stops.contains(next))
            stops.append(next);
    }
    return stops;
}

// Moves everything the window shows into one widget that scrolls inside the window, in the same
// Tab order and with the same parts hidden. A window laid out by hand keeps its fixed size for
// the content; the window itself may then be smaller.
void scrollWholeContent(QWidget& window) {
    const QList<QWidget*> stops = tabStops(window);
    QList<std::pair<QWidget*, bool>> children;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow())
            children.append({child, child->isHidden()});
    }

    auto* content = new QWidget;
    content->setAutoFillBackground(window.autoFillBackground());
    if (QLayout* layout = window.layout())
        content->setLayout(layout); // takes the widgets it lays out along
    else
        content->setFixedSize(window.minimumSize());
    for (const auto& [child, hidden] : children) {
        if (child->parentWidget() != content)
            child->setParent(content);
        child->setHidden(hidden);
    }
    window.setMinimumSize(0, 0);
    window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);

    auto* scroll = new QScrollArea(&window);
    scroll->setObjectName(kScrollName);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(&window);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    for (qsizetype i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1], stops[i]);
}

// The room the frame takes around window: its own when it is shown, else a guess.
QMargins FrameMargins(const QWidget& window) {
    if (window.isVisible())
        return marginsOf(window);
    // The desktop draws every window's frame alike: borrow a shown window's.
    QMargins shown;
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other == &window || !other->isVisible() || other->windowType() == Qt::Popup ||
            other->windowType() == Qt::ToolTip)
            continue;
        shown = marginsOf(*other);
        if (!shown.isNull())
            return shown;
    }
    // No frame to go by: a title bar and thin borders.
    const int border = 4;
    const int title = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    return {border, title + border, border, border};
}

} // namespace

bool ContentScrolls(const QWidget& window) {
    return window.findChild<QScrollArea*>(kScrollName, Qt::FindDirectChildrenOnly) != nullptr;
}

void FitIntoArea(QWidget& window, const QSize& design, const QRect& area) {
    const QMargins frame = FrameMargins(window);
    const QSize room = area.size().shrunkBy(frame).expandedTo(QSize(1, 1));

    QSize smallest = window.minimumSizeHint().expandedTo(window.minimumSize());
    if ((smallest.width() > room.width() || smallest.height() > room.height()) &&
        !ContentScrolls(window)) {
        scrollWholeContent(window);
        smallest = QSize(1, 1);
    }

    const QSize size = design.boundedTo(window.maximumSize()).boundedTo(room).expandedTo(smallest);
    window.resize(size);

    const QSize outer = size.grownBy(frame);
    QPoint place;
    const QWidget* parent = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    if (window.testAttribute(Qt::WA_Moved))
        place = window.pos();
    else if (parent && parent->isVisible())
        place = parent->frameGeometry().center() - QPoint(outer.width() / 2, outer.height() / 2);
    else
        place = area.center() - QPoint(outer.width() / 2, outer.height() / 2);
    window.move(keepInside(place.x(), outer.width(), area.left(), area.width()),
                keepInside(place.y(), outer.height(), area.top(), area.height()));
}

void FitOnScreen(QWidget& window, const QSize& design) {
    const QWidget* parent = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    const QScreen* screen = parent ? parent->screen() : window.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen) {
        window.resize(design);
        return;
    }
    FitIntoArea(window, design, screen->availableGeometry());
}

} // namespace qb
