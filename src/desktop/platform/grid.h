// The grid the table windows show their schedules in: a rectangle of text cells with a fixed
// heading row 0 that stays in view while the rest scrolls. The windows drive it only through the
// operations below, in the terms they think in: a current cell that receives the next text, a
// selection, a fill mode that writes one text into every selected cell, widths and heights in
// twips (1440 to the inch), and per-column alignments.
//
// Users can select cells and copy them (Ctrl+C, or the context menu's Copy and Copy with
// Headings) as a spreadsheet takes them, and a window may offer "Save as CSV..." there too.
#pragma once

#include <QRect>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace qb {

class GridModel;
class GridView;

class Grid : public QWidget {
    Q_OBJECT

public:
    enum Alignment { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };

    explicit Grid(QWidget* parent = nullptr);
    ~Grid() override;

    int cols() const;
    int rows() const;
    void setCols(int count);
    void setRows(int count); // new cells are empty; cells beyond the new bounds are dropped

    int row() const { return m_row; }
    int col() const { return m_col; }
    void setRow(int row) { m_row = row; }
    void setCol(int column) { m_col = column; }

    // The current cell's text. With fill mode 1 setText writes every cell of the selection.
    QString text() const;
    void setText(const QString& text);
    // Direct cell access for tests and for copying.
    QString cellText(int row, int column) const;
    // Makes the cell current and writes text into it.
    void setCellText(int row, int column, const QString& text) {
        m_row = row;
        m_col = column;
        setText(text);
    }

    // The texts of a block of whole rows, made when a cell is painted, copied or read rather
    // than written ahead: a schedule has thousands of rows and a screenful is seen.
    class RowTexts {
    public:
        virtual ~RowTexts() = default;
        virtual QString text(int row, int column) const = 0;
    };
    // Rows firstRow..lastRow show texts's cells from now on. A later write into those rows
    // keeps their texts, as cells of their own, around what it writes; one that covers them all
    // replaces them.
    void setRowTexts(int firstRow, int lastRow, std::shared_ptr<const RowTexts> texts);

    int rowHeight(int row) const; // twips
    void setRowHeight(int row, int twips);
    int colWidth(int column) const; // twips
    void setColWidth(int column, int twips);
    // Widens each column that is narrower than its widest text, so no figure or heading word is
    // cut; a wider column keeps its width. Headings wrap at their blanks.
    void fitColumnsToText();

    void setColAlignment(int column, Alignment alignment);   // data cells
    void setFixedAlignment(int column, Alignment alignment); // the heading cell of the column
    Alignment colAlignment(int column) const;

    // A column as a window sets it up: its heading, how many twips wider than it is it becomes,
    // and how its data cells are aligned.
    struct Column {
        QString heading;
        int widening;
        Alignment alignment;
    };
    // Makes the grid these columns, their headings centred in a heading row headingTwips high.
    void setColumns(int headingTwips, const std::vector<Column>& columns);

    int selStartRow() const { return m_selStartRow; }
    int selEndRow() const { return m_selEndRow; }
    int selStartCol() const { return m_selStartCol; }
    int selEndCol() const { return m_selEndCol; }
    void setSelStartRow(int row);
    void setSelEndRow(int row);
    void setSelStartCol(int column);
    void setSelEndCol(int column);
    // setSelEndRow(row), then setSelEndCol(column).
    void setSelEnd(int row, int column) {
        setSelEndRow(row);
        setSelEndCol(column);
    }

    int fillStyle() const { return m_fillStyle; }
    // 0 current cell only, 1 every selected cell
    void setFillStyle(int mode) { m_fillStyle = mode == 1 ? 1 : 0; }

    // Writes between beginUpdate and endUpdate (texts, fills and selections) are stored quietly;
    // the last endUpdate announces the changed cells as one block and shows the selection once.
    // The texts read back at once either way. Pairs may nest.
    void beginUpdate();
    void endUpdate();

    // Selected cells as Ctrl+C puts them on the clipboard: tab-separated lines, each cell
    // without the blanks it is padded with, and the heading row first when whole columns are
    // selected or withHeadings asks for it.
    QString selectedText(bool withHeadings = false) const;
    void copySelection(bool withHeadings = false) const;
    // Selects every data cell, as the context menu's Select All does.
    void selectAll();
    // Empties every data cell; they stay selected.
    void blankAll();
    // Offers "Save as CSV..." in the context menu, which runs save.
    void setSaveAsCsv(std::function<void()> save) { m_saveAsCsv = std::move(save); }
    const std::function<void()>& saveAsCsv() const { return m_saveAsCsv; }

private:
    QRect selectionBlock() const; // the selection, normalised and clipped to the grid
    void showSelection();
    void followViewSelection();

    GridModel* m_model;
    GridView* m_view;
    int m_row = 1;
    int m_col = 0;
    int m_selStartRow = 1;
    int m_selEndRow = 1;
    int m_selStartCol = 0;
    int m_selEndCol = 0;
    int m_fillStyle = 0;
    bool m_mirroring = false; // the grid is changing the view's selection itself
    int m_updateDepth = 0;    // open beginUpdate calls
    bool m_selectionPending = false;
    std::function<void()> m_saveAsCsv;
};

} // namespace qb
