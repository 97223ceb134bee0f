// The grid: a flat table of strings behind a read-only QTableView. Row 0 of the grid is the
// heading row and is shown as the view's horizontal header, so it stays put while the data rows
// scroll; grid row r >= 1 is the model's row r - 1.
//
// A single-cell write only stores the string and announces that one cell, and block writes
// announce the block once; between beginUpdate and endUpdate even single writes wait and the
// whole update is announced as one block. Nothing here resets the model or re-lays out the view
// per cell. A schedule of thousands of rows is not written at all: the window hands the grid its
// figures (setRowTexts), and a cell's text is made when the view paints it or someone reads it.
#include "desktop/platform/grid.h"

#include "desktop/platform/teardown.h"
#include "desktop/platform/twips.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGlyphRun>
#include <QHeaderView>
#include <QItemSelection>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QRawFont>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace qb {

namespace {

constexpr int DefaultColWidthTwips = 1000;

Qt::Alignment toQt(Grid::Alignment alignment) {
    constexpr Qt::Alignment kByAlignment[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    return kByAlignment[alignment];
}

} // namespace

// All the grid's cells, the heading row included, row after row in one vector. The model shows
// grid rows 1.. as its rows and grid row 0 as its horizontal header data.
class GridModel : public QAbstractTableModel {
public:
    explicit GridModel(QObject* parent) : QAbstractTableModel(parent) {}

    int gridRows() const { return m_rows; }
    int gridCols() const { return m_cols; }
    bool contains(int row, int column) const {
        return row >= 0 && row < m_rows && column >= 0 && column < m_cols;
    }

    QString cell(int row, int column) const {
        if (m_rowTexts && row >= m_rowTextsTop && row <= m_rowTextsBottom)
            return m_rowTexts->text(row, column);
        return m_cells[offset(row, column)];
    }

    void setCell(int row, int column, const QString& text) {
        settleRowTexts(row, column, row, column);
        m_cells[offset(row, column)] = text;
        changed(row, column, row, column);
    }

    // Writes text into every cell of the block; the block must lie inside the grid.
    void fill(int top, int left, int bottom, int right, const QString& text) {
        settleRowTexts(top, left, bottom, right);
        for (int r = top; r <= bottom; ++r)
            std::fill_n(m_cells.begin() + offset(r, left), right - left + 1, text);
        changed(top, left, bottom, right);
    }

    // While quiet, writes only widen the pending headings and the pending block of data rows;
    // announcePending sends each as one change.
    void setQuiet(bool quiet) { m_quiet = quiet; }
    void announcePending() {
        const int right = m_cols - 1;
        if (m_rows > 0 && m_pendingHeadings.first <= std::min(m_pendingHeadings.second, right))
            emit headerDataChanged(Qt::Horizontal, m_pendingHeadings.first,
                                   std::min(m_pendingHeadings.second, right));
        const int bottom = std::min(m_pendingBottom, m_rows - 1);
        if (m_pendingTop <= bottom && m_pendingLeft <= std::min(m_pendingRight, right))
            emit dataChanged(index(m_pendingTop - 1, m_pendingLeft),
                             index(bottom - 1, std::min(m_pendingRight, right)), {Qt::DisplayRole});
        m_pendingHeadings = kNothingPending;
        m_pendingTop = m_pendingLeft = kNothingPending.first;
        m_pendingBottom = m_pendingRight = kNothingPending.second;
    }

    // Rows top..bottom take their texts from texts from now on.
    void setRowTexts(int top, int bottom, std::shared_ptr<const Grid::RowTexts> texts) {
        m_rowTexts = std::move(texts);
        m_rowTextsTop = top;
        m_rowTextsBottom = std::min(bottom, m_rows - 1);
        if (m_rowTexts && top <= m_rowTextsBottom && m_cols > 0)
            changed(top, 0, m_rowTextsBottom, m_cols - 1);
    }

    void setGridRows(int count) {
        if (count == m_rows)
            return;
        m_rowTextsBottom = std::min(m_rowTextsBottom, count - 1);
        const int oldModelRows = rowCount();
        const int newModelRows = std::max(count - 1, 0);
        const bool headingRowChanges = (m_rows == 0) != (count == 0);
        if (newModelRows > oldModelRows)
            beginInsertRows({}, oldModelRows, newModelRows - 1);
        else if (newModelRows < oldModelRows)
            beginRemoveRows({}, newModelRows, oldModelRows - 1);
        m_cells.resize(static_cast<std::size_t>(count) * static_cast<std::size_t>(m_cols));
        m_rows = count;
        if (newModelRows > oldModelRows)
            endInsertRows();
        else if (newModelRows < oldModelRows)
            endRemoveRows();
        if (headingRowChanges && m_cols > 0)
            emit headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
    }

    void setGridCols(int count) {
        if (count == m_cols)
            return;
        settleRowTexts(0, 0, m_rows - 1, m_cols - 1);
        const int oldCols = m_cols;
        if (count > oldCols)
            beginInsertColumns({}, oldCols, count - 1);
        else
            beginRemoveColumns({}, count, oldCols - 1);
        std::vector<QString> cells(static_cast<std::size_t>(m_rows) *
                                   static_cast<std::size_t>(count));
        const int kept = std::min(oldCols, count);
        for (int r = 0; r < m_rows; ++r)
            std::move(m_cells.begin() + offset(r, 0), m_cells.begin() + offset(r, kept),
                      cells.begin() + static_cast<std::ptrdiff_t>(r) * count);
        m_cells = std::move(cells);
        m_cols = count;
        m_alignments.resize(static_cast<std::size_t>(count), Grid::AlignLeft);
        m_headingAlignments.resize(static_cast<std::size_t>(count), Grid::AlignLeft);
        if (count > oldCols)
            endInsertColumns();
        else
            endRemoveColumns();
    }

    Grid::Alignment alignment(int column) const {
        return m_alignments[static_cast<std::size_t>(column)];
    }
    void setAlignment(int column, Grid::Alignment alignment) {
        m_alignments[static_cast<std::size_t>(column)] = alignment;
        if (rowCount() > 0)
            emit dataChanged(index(0, column), index(rowCount() - 1, column),
                             {Qt::TextAlignmentRole});
    }
    void setHeadingAlignment(int column, Grid::Alignment alignment) {
        m_headingAlignments[static_cast<std::size_t>(column)] = alignment;
        emit headerDataChanged(Qt::Horizontal, column, column);
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : std::max(m_rows - 1, 0);
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : m_cols;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || !contains(index.row() + 1, index.column()))
            return {};
        if (role == Qt::DisplayRole)
            return cell(index.row() + 1, index.column());
        if (role == Qt::AccessibleTextRole)
            return readerText(index.row() + 1, index.column());
        if (role == Qt::TextAlignmentRole)
            return int(toQt(alignment(index.column())) | Qt::AlignVCenter);
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || !contains(0, section))
            return {};
        if (role == Qt::DisplayRole)
            return cell(0, section);
        if (role == Qt::AccessibleTextRole)
            return readerText(0, section);
        if (role == Qt::TextAlignmentRole)
            return int(toQt(m_headingAlignments[static_cast<std::size_t>(section)]) |
                       Qt::AlignVCenter | Qt::TextWordWrap);
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

private:
    // What a reader says of a cell: a heading as one line, a figure without its padding.
    QString readerText(int row, int column) const { return cell(row, column).simplified(); }

    std::ptrdiff_t offset(int row, int column) const {
        return static_cast<std::ptrdiff_t>(row) * m_cols + column;
    }

    // Before a write into the block: rows that take their texts from a RowTexts keep them as
    // plain cells, unless the write covers all of them.
    void settleRowTexts(int top, int left, int bottom, int right) {
        if (!m_rowTexts || bottom < m_rowTextsTop || top > m_rowTextsBottom)
            return;
        const bool covered =
            top <= m_rowTextsTop && bottom >= m_rowTextsBottom && left == 0 && right >= m_cols - 1;
        const std::shared_ptr<const Grid::RowTexts> texts = std::move(m_rowTexts);
        if (covered)
            return;
        for (int r = m_rowTextsTop; r <= m_rowTextsBottom; ++r) {
            for (int c = 0; c < m_cols; ++c)
                m_cells[offset(r, c)] = texts->text(r, c);
        }
    }

    void changed(int top, int left, int bottom, int right) {
        if (!m_quiet) {
            if (top == 0)
                emit headerDataChanged(Qt::Horizontal, left, right);
            if (bottom >= 1)
                emit dataChanged(index(std::max(top, 1) - 1, left), index(bottom - 1, right),
                                 {Qt::DisplayRole});
            return;
        }
        if (top == 0) {
            m_pendingHeadings.first = std::min(m_pendingHeadings.first, left);
            m_pendingHeadings.second = std::max(m_pendingHeadings.second, right);
        }
        if (bottom >= 1) {
            m_pendingTop = std::min(m_pendingTop, std::max(top, 1));
            m_pendingLeft = std::min(m_pendingLeft, left);
            m_pendingBottom = std::max(m_pendingBottom, bottom);
            m_pendingRight = std::max(m_pendingRight, right);
        }
    }

    static constexpr std::pair<int, int> kNothingPending{std::numeric_limits<int>::max(), -1};

    int m_rows = 0;
    int m_cols = 0;
    bool m_quiet = false;
    std::pair<int, int> m_pendingHeadings = kNothingPending; // first and last column
    int m_pendingTop = kNothingPending.first;                // grid rows and columns
    int m_pendingLeft = kNothingPending.first;
    int m_pendingBottom = kNothingPending.second;
    int m_pendingRight = kNothingPending.second;
    std::vector<QString> m_cells;
    std::shared_ptr<const Grid::RowTexts> m_rowTexts;
    int m_rowTextsTop = 0;
    int m_rowTextsBottom = -1;
    std::vector<Grid::Alignment> m_alignments;
    std::vector<Grid::Alignment> m_headingAlignments;
};

// Paints a cell as one line of plain text, on the highlight when it is selected. The stock
// delegate asks the model for a dozen roles and lays every cell's text out as a paragraph, which
// made painting a screenful of the table cost more than filling the whole table; the cells here
// are short single-line figures, so measuring and drawing the line is all they need. Row heights
// are fixed, so the view never asks a cell for its size.
class GridDelegate : public QStyledItemDelegate {
public:
    GridDelegate(const GridModel* model, QWidget* view)
        : QStyledItemDelegate(view), m_model(model),
          m_margin(view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QPalette::ColorGroup group =
            !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
            : (option.state & QStyle::State_Active) ? QPalette::Active
                                                    : QPalette::Inactive;
        const bool selected = option.state & QStyle::State_Selected;
        if (selected)
            painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));

        const int row = index.row() + 1;
        const int column = index.column();
        QString text = m_model->contains(row, column) ? m_model->cell(row, column) : QString();
        if (!text.isEmpty()) {
            const QRect area = option.rect.adjusted(m_margin, 0, -m_margin, 0);
            const QFontMetrics& metrics = option.fontMetrics;
            if (!m_figuresLoaded || m_figureFont != option.font)
                loadFigureGlyphs(option.font);
            QGlyphRun figure;
            int width = layOutFigure(text, figure);
            if (width < 0 || width > area.width()) {
                figure = {};
                width = metrics.horizontalAdvance(text);
                if (width > area.width()) {
                    text = metrics.elidedText(text, Qt::ElideRight, area.width());
                    width = metrics.horizontalAdvance(text);
                }
            }
            // The room left over goes before the text: none of it, all or half.
            constexpr int kHalvesBefore[] = {0, 2, 1};
            const int x = area.left() +
                          (area.width() - width) * kHalvesBefore[m_model->alignment(column)] / 2;
            const int baseline =
                area.top() + (area.height() - metrics.height()) / 2 + metrics.ascent();
            painter->setPen(
                option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
            if (figure.isEmpty())
                painter->drawText(QPoint(x, baseline), text);
            else
                painter->drawGlyphRun(QPointF(x, baseline), figure);
        }

        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
            focus.backgroundColor =
                option.palette.color(group, selected ? QPalette::Highlight : QPalette::Window);
            const QWidget* view = option.widget;
            (view ? view->style() : QApplication::style())
                ->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, view);
        }
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const int row = index.row() + 1;
        const int column = index.column();
        const int width = m_model->contains(row, column)
                              ? option.fontMetrics.horizontalAdvance(m_model->cell(row, column))
                              : 0;
        return {width + 2 * m_margin, option.fontMetrics.height()};
    }

private:
    // The characters figures are written with. Their glyphs are looked up once per font, so a
    // figure is drawn from them without shaping its text again: figures have no ligatures and
    // these characters are not kerned against each other.
    static constexpr std::u16string_view kFigureCharacters = u"0123456789,.-$ ";

    void loadFigureGlyphs(const QFont& font) const {
        m_figuresLoaded = true;
        m_figureFont = font;
        m_figureGlyphs.fill(0);
        m_figureRawFont = QRawFont::fromFont(font);
        if (!m_figureRawFont.isValid())
            return;
        for (char16_t c : kFigureCharacters) {
            const QList<quint32> glyphs = m_figureRawFont.glyphIndexesForString(QString(QChar(c)));
            if (glyphs.size() != 1 || glyphs[0] == 0)
                continue;
            const QList<QPointF> advances = m_figureRawFont.advancesForGlyphIndexes(glyphs);
            m_figureGlyphs[c] = glyphs[0];
            m_figureAdvances[c] = advances.value(0).x();
        }
    }

    // The glyphs of text placed along its baseline, and its width in pixels; -1 when the text
    // has a character that is not a figure's, which is then drawn the ordinary way.
    int layOutFigure(const QString& text, QGlyphRun& run) const {
        QList<quint32> glyphs(text.size());
        QList<QPointF> positions(text.size());
        qreal x = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            if (c >= m_figureGlyphs.size() || m_figureGlyphs[c] == 0)
                return -1;
            glyphs[i] = m_figureGlyphs[c];
            positions[i] = QPointF(x, 0);
            x += m_figureAdvances[c];
        }
        run.setRawFont(m_figureRawFont);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        return qRound(x);
    }

    const GridModel* m_model;
    int m_margin;
    mutable bool m_figuresLoaded = false;
    mutable QFont m_figureFont;
    mutable QRawFont m_figureRawFont;
    mutable std::array<quint32, 128> m_figureGlyphs{}; // by character; 0 not a figure's
    mutable std::array<qreal, 128> m_figureAdvances{};
};

// The heading row. Its height is fixed (the windows set it in twips), so its size hint is that
// height: the stock hint lays out every heading's wrapped text again after each heading is
// written, and the view asks for it whenever it lays itself out.
//
// The columns keep the widths the window gives them (or that their texts need) as their own, and
// share any room the view has beyond them in proportion to those widths, so a grid made wider
// shows wider columns rather than an empty strip.
class GridHeading : public QHeaderView {
public:
    explicit GridHeading(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
        connect(this, &QHeaderView::sectionCountChanged, this, [this] { shareRoom(); });
    }

    QSize sizeHint() const override { return {length(), minimumHeight()}; }

    // A column's own width in pixels; it shows at least that wide.
    int ownWidth(int column) const {
        const auto index = static_cast<std::size_t>(column);
        return index < m_ownWidths.size() && m_ownWidths[index] >= 0 ? m_ownWidths[index]
                                                                     : defaultSectionSize();
    }
    void setOwnWidth(int column, int pixels) {
        const auto index = static_cast<std::size_t>(column);
        if (index >= m_ownWidths.size())
            m_ownWidths.resize(index + 1, -1);
        m_ownWidths[index] = pixels;
        shareRoom();
    }

protected:
    // The heading is as wide as the view's cells: its width is the room the columns have.
    void resizeEvent(QResizeEvent* event) override {
        QHeaderView::resizeEvent(event);
        shareRoom();
    }

private:
    void shareRoom() {
        if (m_sharing)
            return;
        const QScopedValueRollback sharing(m_sharing, true);
        const int columns = count();
        long long total = 0;
        for (int column = 0; column < columns; ++column)
            total += ownWidth(column);
        // A grid the window has fixed at its columns' width (boxes sit under its columns) keeps
        // them as they are.
        const QWidget* grid = parentWidget() ? parentWidget()->parentWidget() : nullptr;
        const bool fixed = grid && grid->minimumWidth() == grid->maximumWidth();
        const long long extra = total > 0 && !fixed ? std::max<long long>(width() - total, 0) : 0;
        // Shared by running sums, so the shares add up to the extra room exactly.
        long long before = 0;
        long long given = 0;
        for (int column = 0; column < columns; ++column) {
            before += ownWidth(column);
            const long long upTo = extra * before / std::max<long long>(total, 1);
            resizeSection(column, ownWidth(column) + static_cast<int>(upTo - given));
            given = upTo;
        }
    }

    std::vector<int> m_ownWidths; // -1: the default width
    bool m_sharing = false;
};

// The table view with the grid's own copy: Ctrl+C takes the whole selection rectangle rather than
// the one current cell QAbstractItemView would copy.
class GridView : public QTableView {
public:
    explicit GridView(Grid* grid) : QTableView(grid), m_grid(grid) { leaveByTab(); }

    GridHeading* heading() const { return static_cast<GridHeading*>(horizontalHeader()); }

protected:
    bool event(QEvent* event) override {
        // Claim Ctrl+C before a window's Copy shortcut does, so it copies the cells.
        if (event->type() == QEvent::ShortcutOverride &&
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
            event->accept();
            return true;
        }
        return QTableView::event(event);
    }

    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Copy)) {
            m_grid->copySelection();
            event->accept();
            return;
        }
        if (leavesByControlTab(event))
            return;
        QTableView::keyPressEvent(event);
    }

    void contextMenuEvent(QContextMenuEvent* event) override {
        QMenu menu(this);
        menu.addAction(QStringLiteral("Copy"), QKeySequence::Copy,
                       [this] { m_grid->copySelection(); });
        menu.addAction(QStringLiteral("Copy with Headings"),
                       [this] { m_grid->copySelection(true); });
        menu.addAction(QStringLiteral("Select All"), [this] { m_grid->selectAll(); });
        if (m_grid->saveAsCsv()) {
            menu.addSeparator();
            menu.addAction(QStringLiteral("Save as CSV..."), m_grid->saveAsCsv());
        }
        menu.exec(event->globalPos());
    }

private:
    // Tab and Shift+Tab take the focus on to the window's next or previous control, as from any
    // other control; the arrow keys move about the cells. A view would otherwise keep Tab for
    // moving from cell to cell, and the focus could not leave the grid by the keyboard.
    void leaveByTab() { setTabKeyNavigation(false); }

    // Ctrl+Tab and Ctrl+Shift+Tab leave the grid as well, as they leave controls that use Tab.
    bool leavesByControlTab(QKeyEvent* event) {
        const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
        if (!tab || !(event->modifiers() & Qt::ControlModifier))
            return false;
        const bool back =
            event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        focusNextPrevChild(!back);
        event->accept();
        return true;
    }

    Grid* m_grid;
};

Grid::Grid(QWidget* parent)
    : QWidget(parent), m_model(new GridModel(this)), m_view(new GridView(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    m_view->setHorizontalHeader(new GridHeading(m_view));
    m_view->setModel(m_model);
    m_view->setItemDelegate(new GridDelegate(m_model, m_view));
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_view->setShowGrid(true);
    m_view->setSortingEnabled(false);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->hide();

    QHeaderView* heading = m_view->horizontalHeader();
    heading->setSectionsClickable(false);
    heading->setSectionsMovable(false);
    heading->setHighlightSections(false);
    heading->setStretchLastSection(false);
    heading->setSectionResizeMode(QHeaderView::Fixed);
    heading->setTextElideMode(Qt::ElideNone);
    heading->setMinimumSectionSize(0);
    heading->setDefaultSectionSize(TwipsToPixels(DefaultColWidthTwips, logicalDpiX()));

    // Spreadsheet-like rows: one line of text with a little air, rather than the style's roomier
    // default. The heading row starts at the same height until a window sets it.
    QHeaderView* rowHeader = m_view->verticalHeader();
    const int lineHeight = m_view->fontMetrics().height() + 6;
    rowHeader->setSectionResizeMode(QHeaderView::Fixed);
    rowHeader->setMinimumSectionSize(0);
    rowHeader->setDefaultSectionSize(lineHeight);
    heading->setFixedHeight(lineHeight);

    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Grid::followViewSelection);
    // The focus given to the grid, and its name for readers, go to the view.
    setFocusProxy(m_view);

    setCols(2);
    setRows(2);
}

Grid::~Grid() {
    DetachFromChildren(*this);
}

int Grid::cols() const {
    return m_model->gridCols();
}
int Grid::rows() const {
    return m_model->gridRows();
}

void Grid::setCols(int count) {
    if (count < 0)
        return;
    const QScopedValueRollback mirroring(m_mirroring, true);
    m_model->setGridCols(count);
}

void Grid::setRows(int count) {
    if (count < 0)
        return;
    const QScopedValueRollback mirroring(m_mirroring, true);
    m_model->setGridRows(count);
}

QString Grid::text() const {
    return cellText(m_row, m_col);
}

void Grid::beginUpdate() {
    if (m_updateDepth++ == 0)
        m_model->setQuiet(true);
}

void Grid::endUpdate() {
    if (m_updateDepth == 0 || --m_updateDepth > 0)
        return;
    m_model->setQuiet(false);
    m_model->announcePending();
    if (std::exchange(m_selectionPending, false))
        showSelection();
}

void Grid::setText(const QString& text) {
    if (m_fillStyle == 1) {
        const QRect block = selectionBlock();
        if (!block.isEmpty())
            m_model->fill(block.top(), block.left(), block.bottom(), block.right(), text);
        return;
    }
    if (m_model->contains(m_row, m_col))
        m_model->setCell(m_row, m_col, text);
}

QString Grid::cellText(int row, int column) const {
    return m_model->contains(row, column) ? m_model->cell(row, column) : QString();
}

void Grid::setRowTexts(int firstRow, int lastRow, std::shared_ptr<const RowTexts> texts) {
    m_model->setRowTexts(firstRow, lastRow, std::move(texts));
}

int Grid::rowHeight(int row) const {
    if (row < 0 || row >= rows())
        return 0;
    const int pixels = row == 0 ? m_view->horizontalHeader()->minimumHeight()
                                : m_view->verticalHeader()->sectionSize(row - 1);
    return PixelsToTwips(pixels, logicalDpiY());
}

void Grid::setRowHeight(int row, int twips) {
    if (row < 0 || row >= rows() || twips < 0)
        return;
    const int pixels = TwipsToPixels(twips, logicalDpiY());
    if (row == 0)
        m_view->horizontalHeader()->setFixedHeight(pixels);
    else
        m_view->verticalHeader()->resizeSection(row - 1, pixels);
}

int Grid::colWidth(int column) const {
    if (column < 0 || column >= cols())
        return 0;
    return PixelsToTwips(m_view->heading()->ownWidth(column), logicalDpiX());
}

void Grid::setColWidth(int column, int twips) {
    if (column < 0 || column >= cols() || twips < 0)
        return;
    m_view->heading()->setOwnWidth(column, TwipsToPixels(twips, logicalDpiX()));
}

void Grid::fitColumnsToText() {
    if (rows() == 0)
        return;
    const QFontMetrics cells = m_view->fontMetrics();
    GridHeading* heading = m_view->heading();
    const QFontMetrics headingFont = heading->fontMetrics();
    QStyle* style = m_view->style();
    // What a cell takes around its text: the painter's margin on each side and the grid line.
    const int cellRoom =
        2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_view) + 1) + 1;
    const int headingRoom = 2 * style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, heading) + 1;
    for (int column = 0; column < cols(); ++column) {
        int needed = 0;
        // A heading row of one line holds its whole text; a taller one breaks it at the blanks.
        const QString title = m_model->cell(0, column);
        if (heading->height() < 2 * headingFont.lineSpacing()) {
            needed = headingFont.horizontalAdvance(title) + headingRoom;
        } else {
            for (const QString& word : title.split(u' ', Qt::SkipEmptyParts))
                needed = std::max(needed, headingFont.horizontalAdvance(word) + headingRoom);
        }
        for (int row = 1; row < rows(); ++row) {
            const QString text = m_model->cell(row, column);
            if (!text.isEmpty())
                needed = std::max(needed, cells.horizontalAdvance(text) + cellRoom);
        }
        if (needed > heading->ownWidth(column))
            heading->setOwnWidth(column, needed);
    }
}

void Grid::setColumns(int headingTwips, const std::vector<Column>& columns) {
    setCols(static_cast<int>(columns.size()));
    setRowHeight(0, headingTwips);
    for (int column = 0; column < cols(); ++column) {
        const Column& setup = columns[static_cast<std::size_t>(column)];
        setColWidth(column, colWidth(column) + setup.widening);
        setColAlignment(column, setup.alignment);
        setFixedAlignment(column, AlignCenter);
        setCellText(0, column, setup.heading);
    }
}

void Grid::setColAlignment(int column, Alignment alignment) {
    if (column >= 0 && column < cols())
        m_model->setAlignment(column, alignment);
}

void Grid::setFixedAlignment(int column, Alignment alignment) {
    if (column >= 0 && column < cols())
        m_model->setHeadingAlignment(column, alignment);
}

Grid::Alignment Grid::colAlignment(int column) const {
    return column >= 0 && column < cols() ? m_model->alignment(column) : AlignLeft;
}

void Grid::setSelStartRow(int row) {
    m_selStartRow = row;
    showSelection();
}

void Grid::setSelEndRow(int row) {
    m_selEndRow = row;
    showSelection();
}

void Grid::setSelStartCol(int column) {
    m_selStartCol = column;
    showSelection();
}

void Grid::setSelEndCol(int column) {
    m_selEndCol = column;
    showSelection();
}

QString Grid::selectedText(bool withHeadings) const {
    const QRect block = selectionBlock();
    if (block.isEmpty())
        return {};
    const bool wholeColumns = block.top() <= 1 && block.bottom() == rows() - 1;
    QStringList lines;
    QStringList cells;
    const auto addRow = [&](int r) {
        cells.clear();
        for (int c = block.left(); c <= block.right(); ++c)
            cells.append(m_model->cell(r, c).trimmed());
        lines.append(cells.join(u'\t'));
    };
    if ((withHeadings || wholeColumns) && block.top() > 0)
        addRow(0);
    for (int r = block.top(); r <= block.bottom(); ++r)
        addRow(r);
    return lines.join(u'\n');
}

void Grid::copySelection(bool withHeadings) const {
    QGuiApplication::clipboard()->setText(selectedText(withHeadings));
}

void Grid::selectAll() {
    setSelStartRow(1);
    setSelStartCol(0);
    setSelEndRow(rows() - 1);
    setSelEndCol(cols() - 1);
}

void Grid::blankAll() {
    selectAll();
    setFillStyle(1);
    setText(QString());
    setFillStyle(0);
}

QRect Grid::selectionBlock() const {
    // Clamped one bound at a time: QRect arithmetic on far-out indexes would overflow.
    const int top = std::max(std::min(m_selStartRow, m_selEndRow), 0);
    const int bottom = std::min(std::max(m_selStartRow, m_selEndRow), rows() - 1);
    const int left = std::max(std::min(m_selStartCol, m_selEndCol), 0);
    const int right = std::min(std::max(m_selStartCol, m_selEndCol), cols() - 1);
    if (top > bottom || left > right)
        return {};
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// Mirrors the stored selection in the view. The heading row cannot be selected there, so only the
// data rows of the rectangle are highlighted; the view scrolls to keep the selection end in sight.
void Grid::showSelection() {
    if (m_updateDepth > 0) {
        m_selectionPending = true;
        return;
    }
    QItemSelectionModel* selection = m_view->selectionModel();
    const QScopedValueRollback mirroring(m_mirroring, true);
    const QRect block = selectionBlock();
    const int top = std::max(block.top(), 1);
    if (block.isEmpty() || block.bottom() < top) {
        selection->clearSelection();
    } else {
        selection->select(QItemSelection(m_model->index(top - 1, block.left()),
                                         m_model->index(block.bottom() - 1, block.right())),
                          QItemSelectionModel::ClearAndSelect);
    }

    const int endRow = std::clamp(m_selEndRow, 1, std::max(rows() - 1, 1)) - 1;
    const int endCol = std::clamp(m_selEndCol, 0, std::max(cols() - 1, 0));
    const QModelIndex end = m_model->index(endRow, endCol);
    if (end.isValid()) {
        selection->setCurrentIndex(end, QItemSelectionModel::NoUpdate);
        m_view->scrollTo(end);
    }
}

// The user's selection in the view becomes the grid's selection rectangle.
void Grid::followViewSelection() {
    if (m_mirroring)
        return;
    const QItemSelection selected = m_view->selectionModel()->selection();
    if (selected.isEmpty())
        return;
    QRect block;
    for (const QItemSelectionRange& range : selected)
        block |= QRect(QPoint(range.left(), range.top()), QPoint(range.right(), range.bottom()));
    m_selStartRow = block.top() + 1;
    m_selEndRow = block.bottom() + 1;
    m_selStartCol = block.left();
    m_selEndCol = block.right();
}

} // namespace qb
