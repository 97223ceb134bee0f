// Tests for the schedule grid: cell storage and the two fill modes, the heading row shown as the
// view's header, twips conversions, columns sharing a wider view, alignments, the selection in
// both directions and copying.
#include "desktop/platform/grid.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <limits>
#include <memory>

using qb::Grid;

namespace {

QTableView* viewOf(Grid& grid) {
    return grid.findChild<QTableView*>();
}

// Fills every cell with "r,c" so that any cell that moves or gets overwritten shows.
void label(Grid& grid) {
    for (int r = 0; r < grid.rows(); ++r)
        for (int c = 0; c < grid.cols(); ++c) {
            grid.setRow(r);
            grid.setCol(c);
            grid.setText(QStringLiteral("%1,%2").arg(r).arg(c));
        }
}

QString labelOf(int r, int c) {
    return QStringLiteral("%1,%2").arg(r).arg(c);
}

void select(Grid& grid, int startRow, int startCol, int endRow, int endCol) {
    grid.setSelStartRow(startRow);
    grid.setSelStartCol(startCol);
    grid.setSelEndRow(endRow);
    grid.setSelEndCol(endCol);
}

// One twip short of a pixel either way is the most a round trip through pixels may lose.
int twipsPerPixel(const QWidget& widget, bool vertical) {
    return 1440 / (vertical ? widget.logicalDpiY() : widget.logicalDpiX()) + 1;
}

// Row texts that say where they are and count how often they are asked.
class CountingTexts : public Grid::RowTexts {
public:
    QString text(int row, int column) const override {
        ++calls;
        return QStringLiteral("t%1,%2").arg(row).arg(column);
    }
    mutable int calls = 0;
};

} // namespace

class TestGrid : public QObject {
    Q_OBJECT

private slots:
    // Rows 2 to 4 of a 6 x 3 grid labelled "r,c" take their texts from a RowTexts; then one
    // write. Cells the write does not touch read as before it: "t" texts inside the block.
    void rowTextsAreMadeWhenRead_data() {
        QTest::addColumn<QString>("write");
        QTest::addColumn<QStringList>("expected"); // rows 1 to 5, three cells each
        QTest::newRow("none") << "none" << QStringList{"1,0",  "1,1",  "1,2",  "t2,0", "t2,1",
                                                       "t2,2", "t3,0", "t3,1", "t3,2", "t4,0",
                                                       "t4,1", "t4,2", "5,0",  "5,1",  "5,2"};
        QTest::newRow("one cell inside")
            << "cell" << QStringList{"1,0",  "1,1",  "1,2",  "t2,0", "t2,1", "t2,2", "t3,0", "x",
                                     "t3,2", "t4,0", "t4,1", "t4,2", "5,0",  "5,1",  "5,2"};
        // Rows 2 to 5, every column: the block is replaced.
        QTest::newRow("fill over all")
            << "fill all" << QStringList{"1,0", "1,1", "1,2", "x", "x", "x", "x", "x",
                                         "x",   "x",   "x",   "x", "x", "x", "x"};
        // Rows 2 to 4 of column 1 only: the other columns keep their texts.
        QTest::newRow("fill of one column")
            << "fill column"
            << QStringList{"1,0",  "1,1",  "1,2", "t2,0", "x",   "t2,2", "t3,0", "x",
                           "t3,2", "t4,0", "x",   "t4,2", "5,0", "5,1",  "5,2"};
        QTest::newRow("rows cut") << "shrink" << QStringList{"1,0",  "1,1",  "1,2",  "t2,0", "t2,1",
                                                             "t2,2", "t3,0", "t3,1", "t3,2", "",
                                                             "",     "",     "",     "",     ""};
    }

    void rowTextsAreMadeWhenRead() {
        QFETCH(QString, write);
        QFETCH(QStringList, expected);
        Grid grid;
        grid.setCols(3);
        grid.setRows(6);
        label(grid);
        auto texts = std::make_shared<CountingTexts>();
        grid.setRowTexts(2, 4, texts);
        QCOMPARE(texts->calls, 0); // nothing is made ahead

        if (write == u"cell") {
            grid.setRow(3);
            grid.setCol(1);
            grid.setText(QStringLiteral("x"));
        } else if (write == u"fill all" || write == u"fill column") {
            if (write == u"fill all")
                select(grid, 2, 0, 5, 2);
            else
                select(grid, 2, 1, 4, 1);
            grid.setFillStyle(1);
            grid.setText(QStringLiteral("x"));
            grid.setFillStyle(0);
        } else if (write == u"shrink") {
            grid.setRows(4);
        }
        for (int r = 1; r <= 5; ++r) {
            for (int c = 0; c < 3; ++c) {
                const QString& want = expected[(r - 1) * 3 + c];
                QCOMPARE(grid.cellText(r, c), want);
                if (r < grid.rows())
                    QCOMPARE(viewOf(grid)->model()->index(r - 1, c).data().toString(), want);
            }
        }
        // A copy reads the same texts.
        select(grid, 2, 0, 2, 2);
        QCOMPARE(grid.selectedText(), expected.mid(3, 3).join(u'\t'));
    }

    void countsDriveTheModel() {
        Grid grid;
        grid.setCols(6);
        grid.setRows(25);
        QCOMPARE(grid.cols(), 6);
        QCOMPARE(grid.rows(), 25);
        // The heading row lives in the header, not among the model's rows.
        QCOMPARE(viewOf(grid)->model()->rowCount(), 24);
        QCOMPARE(viewOf(grid)->model()->columnCount(), 6);

        grid.setRows(1);
        QCOMPARE(viewOf(grid)->model()->rowCount(), 0);
        grid.setRows(-3);
        QCOMPARE(grid.rows(), 1);
    }

    void currentCellReadsBackItsText() {
        Grid grid;
        grid.setCols(4);
        grid.setRows(6);
        grid.setRow(3);
        grid.setCol(2);
        QCOMPARE(grid.row(), 3);
        QCOMPARE(grid.col(), 2);
        QVERIFY(grid.text().isEmpty());
        grid.setText(QStringLiteral("1,234.56"));
        QCOMPARE(grid.text(), QStringLiteral("1,234.56"));
        QCOMPARE(grid.cellText(3, 2), QStringLiteral("1,234.56"));
        QCOMPARE(viewOf(grid)->model()->index(2, 2).data().toString(), QStringLiteral("1,234.56"));
    }

    void fillModeZeroWritesOnlyTheCurrentCell() {
        Grid grid;
        grid.setCols(3);
        grid.setRows(4);
        label(grid);
        select(grid, 1, 0, 3, 2); // a selection must not widen a fill-mode-0 write
        grid.setRow(2);
        grid.setCol(1);
        grid.setText(QStringLiteral("x"));
        for (int r = 0; r < grid.rows(); ++r)
            for (int c = 0; c < grid.cols(); ++c)
                QCOMPARE(grid.cellText(r, c),
                         r == 2 && c == 1 ? QStringLiteral("x") : labelOf(r, c));
    }

    void fillModeOneWritesTheSelection_data() {
        QTest::addColumn<int>("startRow");
        QTest::addColumn<int>("startCol");
        QTest::addColumn<int>("endRow");
        QTest::addColumn<int>("endCol");

        QTest::newRow("all data rows") << 1 << 0 << 4 << 2;
        QTest::newRow("reversed") << 4 << 2 << 1 << 0;
        QTest::newRow("inner block") << 2 << 1 << 3 << 1;
        QTest::newRow("with heading row") << 0 << 1 << 1 << 2;
        QTest::newRow("reaching past the edge") << 3 << 1 << 9 << 7;
    }

    void fillModeOneWritesTheSelection() {
        QFETCH(int, startRow);
        QFETCH(int, startCol);
        QFETCH(int, endRow);
        QFETCH(int, endCol);

        Grid grid;
        grid.setCols(3);
        grid.setRows(5);
        label(grid);
        select(grid, startRow, startCol, endRow, endCol);
        grid.setFillStyle(1);
        QCOMPARE(grid.fillStyle(), 1);
        grid.setText(QString());

        const auto [top, bottom] = std::minmax(startRow, endRow);
        const auto [left, right] = std::minmax(startCol, endCol);
        for (int r = 0; r < grid.rows(); ++r)
            for (int c = 0; c < grid.cols(); ++c) {
                const bool inside = r >= top && r <= bottom && c >= left && c <= right;
                QCOMPARE(grid.cellText(r, c), inside ? QString() : labelOf(r, c));
            }
    }

    // The windows write thousands of cells; each write must stay a small, local change.
    void fillEmitsOneChangePerWrite() {
        Grid grid;
        grid.setCols(6);
        grid.setRows(101);
        QAbstractItemModel* model = viewOf(grid)->model();
        QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
        QSignalSpy reset(model, &QAbstractItemModel::modelReset);
        QSignalSpy layout(model, &QAbstractItemModel::layoutChanged);

        grid.setRow(7);
        grid.setCol(4);
        grid.setText(QStringLiteral("x"));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed[0][0].toModelIndex(), model->index(6, 4));
        QCOMPARE(changed[0][1].toModelIndex(), model->index(6, 4));

        select(grid, 1, 0, 100, 5);
        grid.setFillStyle(1);
        grid.setText(QString());
        QCOMPARE(changed.size(), 2);
        QCOMPARE(changed[1][0].toModelIndex(), model->index(0, 0));
        QCOMPARE(changed[1][1].toModelIndex(), model->index(99, 5));

        grid.setRows(2101);
        QCOMPARE(reset.size(), 0);
        QCOMPARE(layout.size(), 0);
    }

    // Between beginUpdate and endUpdate the texts land at once but the view hears of them once:
    // one change over the block written, one for the headings, and the selection shown last.
    void updateAnnouncesOneBlock() {
        Grid grid;
        grid.setCols(6);
        grid.setRows(11);
        QTableView* view = viewOf(grid);
        QAbstractItemModel* model = view->model();
        QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
        QSignalSpy headerChanged(model, &QAbstractItemModel::headerDataChanged);
        QSignalSpy selectionChanged(view->selectionModel(), &QItemSelectionModel::selectionChanged);

        grid.beginUpdate();
        grid.beginUpdate(); // nested, as a window's routine inside another's
        grid.setRows(31);
        select(grid, 1, 0, 30, 5);
        grid.setFillStyle(1);
        grid.setText(QString());
        grid.setFillStyle(0);
        grid.setRow(0);
        grid.setCol(2);
        grid.setText(QStringLiteral("Heading"));
        grid.setRow(4);
        grid.setCol(1);
        grid.setText(QStringLiteral("1,234.56"));
        select(grid, 1, 0, 1, 0);
        grid.endUpdate();
        QCOMPARE(grid.cellText(4, 1), QStringLiteral("1,234.56"));
        QCOMPARE(model->index(3, 1).data().toString(), QStringLiteral("1,234.56"));
        QCOMPARE(changed.size(), 0);
        QCOMPARE(headerChanged.size(), 0);
        QCOMPARE(selectionChanged.size(), 0);

        grid.endUpdate();
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed[0][0].toModelIndex(), model->index(0, 0));
        QCOMPARE(changed[0][1].toModelIndex(), model->index(29, 5));
        QCOMPARE(headerChanged.size(), 1);
        QCOMPARE(headerChanged[0][1].toInt(), 2);
        QCOMPARE(headerChanged[0][2].toInt(), 2);
        QCOMPARE(selectionChanged.size(), 1);
        QCOMPARE(view->selectionModel()->selectedIndexes(), QModelIndexList{model->index(0, 0)});

        // Outside an update every write is announced again at once.
        grid.setRow(5);
        grid.setText(QStringLiteral("x"));
        QCOMPARE(changed.size(), 2);
        grid.endUpdate(); // unpaired: nothing happens
        QCOMPARE(changed.size(), 2);
    }

    void headingRowIsTheHeader() {
        Grid grid;
        grid.setCols(3);
        grid.setRows(4);
        QAbstractItemModel* model = viewOf(grid)->model();
        QSignalSpy headerChanged(model, &QAbstractItemModel::headerDataChanged);
        grid.setRow(0);
        for (int c = 0; c < 3; ++c) {
            grid.setCol(c);
            grid.setText(QStringLiteral("Heading %1").arg(c));
        }
        QCOMPARE(headerChanged.size(), 3);
        for (int c = 0; c < 3; ++c)
            QCOMPARE(model->headerData(c, Qt::Horizontal).toString(),
                     QStringLiteral("Heading %1").arg(c));
        QVERIFY(!model->headerData(0, Qt::Vertical).isValid());
        QVERIFY(viewOf(grid)->verticalHeader()->isHidden());
        // Headings never spill into the data rows.
        QVERIFY(model->index(0, 0).data().toString().isEmpty());
    }

    void resizingKeepsCellsInPlace() {
        Grid grid;
        grid.setCols(3);
        grid.setRows(4);
        label(grid);

        grid.setRows(2);
        grid.setRows(4);
        grid.setCols(2);
        grid.setCols(4);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                QCOMPARE(grid.cellText(r, c), r < 2 && c < 2 ? labelOf(r, c) : QString());

        grid.setRows(0);
        QCOMPARE(grid.rows(), 0);
        QVERIFY(!viewOf(grid)->model()->headerData(0, Qt::Horizontal).isValid());
        grid.setRows(3);
        QVERIFY(grid.cellText(0, 0).isEmpty());
    }

    void columnWidthsRoundTripInTwips_data() {
        QTest::addColumn<int>("twips");
        QTest::newRow("narrow") << 300;
        QTest::newRow("typical") << 1520;
        QTest::newRow("wide") << 4321;
        QTest::newRow("hidden") << 0;
    }

    void columnWidthsRoundTripInTwips() {
        QFETCH(int, twips);
        Grid grid;
        grid.setCols(3);
        const int slack = twipsPerPixel(grid, false);

        QVERIFY(qAbs(grid.colWidth(1) - 1000) <= slack);
        grid.setColWidth(1, twips);
        QVERIFY2(qAbs(grid.colWidth(1) - twips) <= slack,
                 qPrintable(QString::number(grid.colWidth(1))));
        QCOMPARE(viewOf(grid)->horizontalHeader()->sectionSize(1),
                 qRound(twips * grid.logicalDpiX() / 1440.0));
        QVERIFY(qAbs(grid.colWidth(0) - 1000) <= slack);

        // The windows widen a column by adding to what it reads back.
        grid.setColWidth(2, grid.colWidth(2) + 520);
        QVERIFY(qAbs(grid.colWidth(2) - 1520) <= 2 * slack);
    }

    // Columns of 100, 200 and 100 pixels in a view of the given width. Room beyond their widths
    // is shared in proportion to them: column c shows room * own(c) / 400 pixels, give or take a
    // pixel for rounding; with less room they keep their own widths and the view scrolls. A grid
    // whose width the window has fixed keeps its columns as they are.
    void columnsShareTheRoomBeyondTheirWidths_data() {
        QTest::addColumn<int>("room");
        QTest::addColumn<bool>("fixed");
        QTest::addColumn<QList<int>>("shown");
        QTest::newRow("just the columns") << 400 << false << QList<int>{100, 200, 100};
        QTest::newRow("half as wide again") << 600 << false << QList<int>{150, 300, 150};
        QTest::newRow("twice as wide") << 800 << false << QList<int>{200, 400, 200};
        QTest::newRow("three pixels over") << 403 << false << QList<int>{};
        QTest::newRow("narrower") << 250 << false << QList<int>{100, 200, 100};
        QTest::newRow("fixed wider") << 600 << true << QList<int>{100, 200, 100};
    }

    void columnsShareTheRoomBeyondTheirWidths() {
        QFETCH(int, room);
        QFETCH(bool, fixed);
        QFETCH(QList<int>, shown);
        Grid grid;
        grid.setCols(3);
        grid.setRows(2);
        const int dpi = grid.logicalDpiX();
        const int own[] = {100, 200, 100};
        for (int c = 0; c < 3; ++c)
            grid.setColWidth(c, own[c] * 1440 / dpi);
        QTableView* view = viewOf(grid);
        if (fixed)
            grid.setFixedWidth(room + 2 * view->frameWidth());
        grid.resize(room + 2 * view->frameWidth(), 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QCOMPARE(view->viewport()->width(), room);

        QHeaderView* heading = view->horizontalHeader();
        int total = 0;
        for (int c = 0; c < 3; ++c) {
            const int width = heading->sectionSize(c);
            const double share = room > 400 && !fixed ? room * own[c] / 400.0 : own[c];
            QVERIFY2(
                qAbs(width - share) < 1,
                qPrintable(QStringLiteral("column %1 %2 for %3").arg(c).arg(width).arg(share)));
            if (!shown.isEmpty())
                QCOMPARE(width, shown[c]);
            // What the window set is what it reads back.
            QVERIFY(qAbs(grid.colWidth(c) - own[c] * 1440 / dpi) <= twipsPerPixel(grid, false));
            total += width;
        }
        QCOMPARE(total, fixed ? 400 : std::max(room, 400));
    }

    void rowHeightsConvertFromTwips() {
        Grid grid;
        grid.setCols(2);
        grid.setRows(3);
        const int dpi = grid.logicalDpiY();
        const int slack = twipsPerPixel(grid, true);

        grid.setRowHeight(0, 500);
        QTableView* view = viewOf(grid);
        QCOMPARE(view->horizontalHeader()->height(), qRound(500 * dpi / 1440.0));
        QVERIFY(qAbs(grid.rowHeight(0) - 500) <= slack);

        grid.setRowHeight(2, 720);
        QCOMPARE(view->rowHeight(1), qRound(720 * dpi / 1440.0));
        QVERIFY(qAbs(grid.rowHeight(2) - 720) <= slack);
        QVERIFY(view->rowHeight(0) != view->rowHeight(1));
    }

    void alignmentsReachTheView_data() {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("horizontal");
        QTest::newRow("left") << int(Grid::AlignLeft) << int(Qt::AlignLeft);
        QTest::newRow("right") << int(Grid::AlignRight) << int(Qt::AlignRight);
        QTest::newRow("centre") << int(Grid::AlignCenter) << int(Qt::AlignHCenter);
    }

    void alignmentsReachTheView() {
        QFETCH(int, alignment);
        QFETCH(int, horizontal);
        Grid grid;
        grid.setCols(3);
        grid.setRows(3);
        const auto chosen = static_cast<Grid::Alignment>(alignment);
        const auto other = chosen == Grid::AlignRight ? Grid::AlignCenter : Grid::AlignRight;
        grid.setColAlignment(1, chosen);
        grid.setColAlignment(2, other);
        grid.setFixedAlignment(2, chosen);
        QCOMPARE(grid.colAlignment(1), chosen);

        const QAbstractItemModel* model = viewOf(grid)->model();
        const Qt::Alignment cell(model->index(1, 1).data(Qt::TextAlignmentRole).toInt());
        QCOMPARE(cell, Qt::Alignment(horizontal) | Qt::AlignVCenter);
        // The heading keeps its own alignment, and wraps long headings.
        const int heading = model->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).toInt();
        QCOMPARE(heading & int(Qt::AlignHorizontal_Mask), horizontal);
        QVERIFY(heading & Qt::TextWordWrap);
        const Qt::Alignment otherCell(model->index(1, 2).data(Qt::TextAlignmentRole).toInt());
        QVERIFY(!(otherCell & Qt::Alignment(horizontal)));
    }

    void selectedTextIsTabSeparated_data() {
        QTest::addColumn<int>("startRow");
        QTest::addColumn<int>("startCol");
        QTest::addColumn<int>("endRow");
        QTest::addColumn<int>("endCol");
        QTest::addColumn<QString>("expected");

        QTest::newRow("2x2 data") << 2 << 1 << 3 << 2 << "2,1\t2,2\n3,1\t3,2";
        QTest::newRow("2x2 reversed") << 3 << 2 << 2 << 1 << "2,1\t2,2\n3,1\t3,2";
        QTest::newRow("with headings") << 0 << 0 << 1 << 1 << "0,0\t0,1\n1,0\t1,1";
        QTest::newRow("one cell") << 3 << 0 << 3 << 0 << "3,0";
        QTest::newRow("clipped") << 3 << 2 << 8 << 5 << "3,2";
        QTest::newRow("outside") << 7 << 0 << 9 << 2 << "";
        // Every data row of a column: a spreadsheet gets the heading first.
        QTest::newRow("whole column") << 1 << 2 << 3 << 2 << "0,2\n1,2\n2,2\n3,2";
        QTest::newRow("whole grid")
            << 1 << 0 << 3 << 2 << "0,0\t0,1\t0,2\n1,0\t1,1\t1,2\n2,0\t2,1\t2,2\n3,0\t3,1\t3,2";
        QTest::newRow("padded cells") << 3 << 0 << 3 << 1 << "5\t1,234.00";
    }

    void selectedTextIsTabSeparated() {
        QFETCH(int, startRow);
        QFETCH(int, startCol);
        QFETCH(int, endRow);
        QFETCH(int, endCol);
        QFETCH(QString, expected);
        Grid grid;
        grid.setCols(3);
        grid.setRows(4);
        label(grid);
        if (QTest::currentDataTag() == QByteArray("padded cells")) {
            // Figures padded the way the windows pad them.
            grid.setRow(3);
            grid.setCol(0);
            grid.setText(QStringLiteral("              5"));
            grid.setCol(1);
            grid.setText(QStringLiteral("  1,234.00 "));
        }
        select(grid, startRow, startCol, endRow, endCol);
        QCOMPARE(grid.selectedText(), expected);
        // Copy with Headings puts the heading row first in any case.
        if (startRow == 2 && endRow == 3)
            QCOMPARE(grid.selectedText(true), "0,1\t0,2\n" + expected);
    }

    void controlCCopiesTheSelection() {
        Grid grid;
        grid.setCols(3);
        grid.setRows(4);
        label(grid);
        select(grid, 1, 1, 2, 2);
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("before"));
        QTest::keyClick(viewOf(grid), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("1,1\t1,2\n2,1\t2,2"));
    }

    void selectionShowsInTheView() {
        Grid grid;
        grid.setCols(3);
        grid.setRows(50);
        QTableView* view = viewOf(grid);
        select(grid, 0, 1, 2, 2);
        QCOMPARE(grid.selStartRow(), 0);
        QCOMPARE(grid.selEndCol(), 2);
        // Only data rows can be highlighted; grid rows 1..2 are view rows 0..1.
        const QModelIndexList selected = view->selectionModel()->selectedIndexes();
        QCOMPARE(selected.size(), 4);
        for (const QModelIndex& index : selected) {
            QVERIFY(index.row() <= 1);
            QVERIFY(index.column() >= 1);
        }
        // Setting the program's selection does not feed back into it through the view.
        QCOMPARE(grid.selStartRow(), 0);

        grid.resize(300, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.setSelEndRow(49);
        QVERIFY(view->verticalScrollBar()->value() > 0);
        grid.setSelStartRow(1);
        grid.setSelEndRow(1);
        QCOMPARE(view->verticalScrollBar()->value(), 0);
    }

    void userSelectionBecomesTheGridSelection() {
        Grid grid;
        grid.setCols(4);
        grid.setRows(10);
        label(grid);
        QTableView* view = viewOf(grid);
        const QAbstractItemModel* model = view->model();
        view->selectionModel()->select(QItemSelection(model->index(2, 1), model->index(4, 3)),
                                       QItemSelectionModel::ClearAndSelect);
        QCOMPARE(grid.selStartRow(), 3);
        QCOMPARE(grid.selEndRow(), 5);
        QCOMPARE(grid.selStartCol(), 1);
        QCOMPARE(grid.selEndCol(), 3);
        QCOMPARE(grid.selectedText().split('\n').first(), QStringLiteral("3,1\t3,2\t3,3"));
    }

    void outOfRangeIndexesAreIgnored_data() {
        QTest::addColumn<int>("bad");
        QTest::newRow("negative") << -1;
        QTest::newRow("one past") << 3;
        QTest::newRow("far past") << 1000000;
        QTest::newRow("lowest int") << std::numeric_limits<int>::min();
    }

    void outOfRangeIndexesAreIgnored() {
        QFETCH(int, bad);
        Grid grid;
        grid.setCols(3);
        grid.setRows(3);
        label(grid);

        const QList<QPair<int, int>> cells = {{bad, 1}, {1, bad}, {bad, bad}};
        for (const auto& [row, column] : cells) {
            grid.setRow(row);
            grid.setCol(column);
            grid.setText(QStringLiteral("x"));
            QVERIFY(grid.text().isEmpty());
            QVERIFY(grid.cellText(row, column).isEmpty());
        }
        grid.setColWidth(bad, 2000);
        grid.setRowHeight(bad, 2000);
        grid.setColAlignment(bad, Grid::AlignRight);
        grid.setFixedAlignment(bad, Grid::AlignRight);
        QCOMPARE(grid.colWidth(bad), 0);
        QCOMPARE(grid.rowHeight(bad), 0);
        QCOMPARE(grid.colAlignment(bad), Grid::AlignLeft);
        select(grid, bad, bad, bad, bad);
        grid.setFillStyle(1);
        grid.setText(QStringLiteral("x"));
        QVERIFY(grid.selectedText().isEmpty());

        for (int r = 0; r < grid.rows(); ++r)
            for (int c = 0; c < grid.cols(); ++c)
                QCOMPARE(grid.cellText(r, c), labelOf(r, c));
    }
};

QTEST_MAIN(TestGrid)
#include "tst_grid.moc"
