#pragma once

#include "FileIdentity.h"
#include "ListSettings.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

// The open medication list: 50 rows by 7 columns of text, the general notes,
// the settings stored with the list, its name and whether it has unsaved
// changes. Row 0 holds the header texts; column 0 holds no text. The window
// shows this model; it keeps no copy of the texts.
class MedicationList : public QObject
{
    Q_OBJECT

public:
    static constexpr int RowCount = 50;
    static constexpr int ColumnCount = 7;
    static constexpr int HeaderRow = 0;
    static constexpr int FirstDataRow = 1;
    static constexpr int LastDataRow = RowCount - 1;

    enum Column
    {
        MarkerColumn = 0,
        NameColumn = 1,
        DosageColumn = 2,
        InstructionsColumn = 3,
        QuantityColumn = 4,
        RefillDateColumn = 5,
        NotesColumn = 6,
    };

    static const QStringList &headerTexts();
    static bool isValidCell(int row, int column);

    explicit MedicationList(QObject *parent = nullptr);

    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);

    // Exchanges the texts of two rows (columns 1 to 6); nothing else moves.
    void swapRowTexts(int rowA, int rowB);
    // Removes a data row; the rows below move up and an empty row is
    // appended, so the list keeps its 50 rows.
    void removeRow(int row);
    // The texts of a row's columns 0 to 6.
    QStringList rowTexts(int row) const;
    // Puts a data row with these texts (columns 0 to 6) back in place: the
    // rows below move down and the last row falls off, so the list keeps its
    // 50 rows. Undoes removeRow.
    void insertRow(int row, const QStringList &texts);

    QString notes() const { return m_notes; }
    void setNotes(const QString &notes);

    const ListSettings &settings() const { return m_settings; }
    void setSettings(const ListSettings &settings);

    QString ListPrinterName() const { return m_settings.printerName; }
    void setListPrinterName(const QString &name);

    QString CurrentListName() const { return m_currentListName; }
    void setCurrentListName(const QString &name);

    bool ChangesMade() const { return m_changesMade; }
    void setChangesMade(bool changed);

    // What the list's file held when it was loaded or last saved; none for a
    // list that has no file yet.
    const FileIdentity &fileIdentity() const { return m_fileIdentity; }
    void setFileIdentity(const FileIdentity &identity) { m_fileIdentity = identity; }

    // Empties every cell and the notes and writes the header texts again;
    // the name, the flag and the settings stay as they are.
    void ClearList();

    // Writes the six header texts into row 0.
    void writeHeaderTexts();

    // Takes the cells, the notes and the settings of source; the name and
    // the flag stay as they are.
    void assignContent(const MedicationList &source);

signals:
    void cellChanged(int row, int column);
    void rowsChanged(int firstRow, int lastRow);
    // A data row went and the rows below moved up; rowsChanged follows.
    void rowRemoved(int row);
    // A data row came in and the rows below moved down; rowsChanged follows.
    void rowInserted(int row);
    void notesChanged();
    void currentListNameChanged();

private:
    using Row = std::array<QString, ColumnCount>;
    std::array<Row, RowCount> m_cells;
    QString m_notes;
    ListSettings m_settings;
    QString m_currentListName;
    bool m_changesMade = false;
    FileIdentity m_fileIdentity;
};
