// The shared tables (schedule, yearly summary, additional payments, chart data) are
// two-dimensional arrays with fixed bounds set when a window sizes them. Reading or writing
// outside the bounds, or using a table that was never sized, is a calculation failure rather than
// undefined behaviour.
#pragma once

#include "core/engine/engineerror.h"

#include <cstddef>
#include <vector>

namespace qb {

template <class T> class Table2D {
public:
    // Bounds are inclusive, as in "rows 0 to 2100 by columns 0 to 7". Contents are cleared.
    void size(int lastRow, int lastColumn) {
        m_rows = lastRow + 1;
        m_columns = lastColumn + 1;
        m_cells.assign(static_cast<std::size_t>(m_rows) * static_cast<std::size_t>(m_columns), T{});
    }
    void erase() {
        m_rows = 0;
        m_columns = 0;
        m_cells.clear();
        m_cells.shrink_to_fit();
    }

    bool isSized() const { return m_rows > 0; }
    int rowCount() const { return m_rows; }
    int columnCount() const { return m_columns; }

    T& at(int row, int column) { return m_cells[index(row, column)]; }
    // The cells of one row, checked once for the whole row.
    T* row(int row) { return &m_cells[index(row, m_columns - 1)] - (m_columns - 1); }
    const T& at(int row, int column) const { return m_cells[index(row, column)]; }

private:
    std::size_t index(int row, int column) const {
        if (row < 0 || row >= m_rows || column < 0 || column >= m_columns)
            throw CalculationError("subscript out of range");
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_columns) +
               static_cast<std::size_t>(column);
    }

    int m_rows = 0;
    int m_columns = 0;
    std::vector<T> m_cells;
};

} // namespace qb
