#pragma once

#include <QColor>
#include <QWidget>

#include <array>

// One month of the calendar: a grid of 7 rows by 7 columns whose row 0 is a
// fixed header, offering what the calendar relies on of a grid control, in
// its terms: a current cell that the program moves and then writes (text,
// background, text colour, bold), row heights and column widths in twips,
// column alignment, and the colour of the area outside the cells.
class MonthGrid : public QWidget
{
    Q_OBJECT

public:
    static constexpr int RowCount = 7;
    static constexpr int ColumnCount = 7;

    explicit MonthGrid(QWidget *parent = nullptr);

    int rows() const { return RowCount; }
    int cols() const { return ColumnCount; }

    // The header texts, separated by "|".
    void setFormatString(const QString &format);

    int row() const { return m_row; }
    int col() const { return m_col; }
    void setRow(int row);
    void setCol(int column);

    // These write the current cell.
    void setText(const QString &text);
    void setCellBackColor(const QColor &color);
    void setCellForeColor(const QColor &color);
    void setCellFontBold(bool bold);

    // What a screen reader says for a cell where its text alone would not
    // do: "Monday 7 December 2026" for "7". Cleared by the cell's next text.
    void setSpokenText(int row, int column, const QString &spoken);
    QString spokenText(int row, int column) const;

    QString textMatrix(int row, int column) const;
    QColor cellBackColor(int row, int column) const;
    QColor cellForeColor(int row, int column) const;
    bool cellFontBold(int row, int column) const;

    int rowHeight(int row) const;
    void setRowHeight(int row, int twips);
    int colWidth(int column) const;
    void setColWidth(int column, int twips);
    void setColAlignment(int column, Qt::Alignment alignment);

    QColor backColorBkg() const { return m_backColorBkg; }
    void setBackColorBkg(const QColor &color);

    // Where a cell stands, in pixels of the grid.
    QRect cellRect(int row, int column) const;
    // Row and column of the cell at point, or (-1, -1).
    QPoint cellAt(const QPoint &point) const;

    // The grey of cells without a day and of the header and frame: light and
    // silver greys on a light palette, the same steps from Base toward Text
    // on any other.
    static QColor emptyCellColor(const QPalette &palette);
    static QColor silver(const QPalette &palette);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    struct Cell
    {
        QString text;
        QColor background;
        QColor foreground;
        bool bold = false;
        QString spoken;
    };

    bool contains(int row, int column) const;
    Cell &current() { return m_cells[m_row][m_col]; }
    int defaultRowHeight() const;

    std::array<std::array<Cell, ColumnCount>, RowCount> m_cells;
    std::array<int, RowCount> m_rowHeights{};
    std::array<int, ColumnCount> m_colWidths{};
    std::array<Qt::Alignment, ColumnCount> m_alignments{};
    QColor m_backColorBkg;
    int m_row = 1;
    int m_col = 0;
};
