#include "Form1.h"

#include "CatalogueWatcher.h"
#include "CellEditor.h"
#include "Clock.h"
#include "ColumnSizer.h"
#include "DisplayOptions.h"
#include "Form3.h"
#include "GeneralNotes.h"
#include "HelpCommand.h"
#include "ListCommands.h"
#include "ListFileReader.h"
#include "ListFonts.h"
#include "ListStore.h"
#include "ListWindowGeometry.h"
#include "MedicationGrid.h"
#include "MedicationTableModel.h"
#include "PrintCommand.h"
#include "PrinterService.h"
#include "ProgramInfo.h"
#include "RefillHighlighter.h"
#include "RowCommands.h"
#include "StatusTimer.h"
#include "StorableText.h"
#include "frmAbout.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

Form1::Form1(const MainWindowParts &parts, QWidget *parent)
    : QWidget(parent), m_parts(parts), m_list(parts.list),
      m_refillDates(std::make_unique<RefillHighlighter>(parts.list, parts.clock)),
      m_geometry(std::make_unique<ListWindowGeometry>(*this))
{
    setWindowTitle(ProgramInfo::title());
    m_ui.setupUi(*this, m_list,
                 [this](const QString &text) { return m_refillDates->unreadableHint(text); });
    setMinimumSize(m_ui.minimumClientArea());
    m_fonts = std::make_unique<ListFonts>(m_ui, m_parts.measurer);
    m_cellEditor =
        new CellEditor(m_list, m_parts.history, *m_ui.Grid1, *m_ui.Text1, *m_ui.Text3, *this);
    new GeneralNotes(m_list, m_parts.history, *m_ui.Text2);
    connectControls();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    startUp();
}

Form1::~Form1() = default;

void Form1::connectControls()
{
    for (int i = 0; i < int(m_ui.Command1.size()); ++i)
        connect(m_ui.Command1[i], &QPushButton::clicked, this, [this, i] { onListButton(i); });
    // A shortcut runs its button's command directly: the command refuses to
    // run without a list itself, and the status timer may not have enabled
    // the button yet when a shortcut follows New at once.
    connect(m_ui.actNew, &QAction::triggered, this, [this] { onListButton(Form1Ui::NewButton); });
    connect(m_ui.actSave, &QAction::triggered, this, [this] { onListButton(Form1Ui::SaveButton); });
    connect(m_ui.actPrint, &QAction::triggered, this,
            [this] { onListButton(Form1Ui::PrintButton); });
    for (int i = 0; i < int(m_ui.Command2.size()); ++i)
        connect(m_ui.Command2[i], &QPushButton::clicked, this, [this, i] { onRowButton(i); });
    connect(m_ui.cboLoad, &QComboBox::activated, this,
            [this] { m_parts.listCommands.LoadList(*this); });

    MedicationGrid *grid = m_ui.Grid1;
    connect(grid, &MedicationGrid::doubleClick, m_cellEditor, &CellEditor::requestOpen);
    connect(grid, &MedicationGrid::editKeyPressed, m_cellEditor, &CellEditor::openOnKey);
    connect(grid, &MedicationGrid::typed, m_cellEditor, &CellEditor::openTyping);
    // Scrolling ends an edit as leaving the cell does: the typed text stays.
    connect(grid, &MedicationGrid::leaveCell, m_cellEditor, &CellEditor::commit);
    connect(grid, &MedicationGrid::scrolled, m_cellEditor, &CellEditor::commit);
    connect(m_cellEditor, &CellEditor::committed, this, &Form1::SetColumnWidths);
    connect(m_cellEditor, &CellEditor::refillDateLeft, this, &Form1::HighlightRefillDates);
    // Queued, so that a scroll bar that comes or goes as the rows change
    // height is taken in once the fitting is done.
    connect(grid, &MedicationGrid::widthToFillChanged, this, &Form1::SetColumnWidths,
            Qt::QueuedConnection);

    for (int i = 0; i < int(m_ui.mnuFontSizeOp.size()); ++i)
        connect(m_ui.mnuFontSizeOp[i], &QAction::triggered, this, [this, i] { chooseFontSize(i); });
    connect(m_ui.mnuBold, &QAction::triggered, this, &Form1::toggleBold);
    connect(m_ui.mnuAbout, &QAction::triggered, this,
            [this] { frmAbout::showModal(*this, m_parts.addressOpener, m_parts.prompter); });
    connect(m_ui.mnuHelpOp, &QAction::triggered, this,
            [this] { HelpCommand(m_parts.addressOpener, m_parts.fileAssociations).run(*this); });
    connect(m_ui.actUndo, &QAction::triggered, this, [this] { undoOrRedo(false); });
    connect(m_ui.actRedo, &QAction::triggered, this, [this] { undoOrRedo(true); });
    // Until New or Load there is no list that typing could go into.
    connect(&m_list, &MedicationList::currentListNameChanged, this, &Form1::followListOpen);
}

void Form1::startUp()
{
    m_list.writeHeaderTexts();
    m_parts.listCommands.followCatalogue(*this);
    // Another program or computer may add or remove lists while this runs.
    auto *catalogue = new CatalogueWatcher(m_parts.store.folder(), this);
    connect(catalogue, &CatalogueWatcher::changed, this,
            [this] { m_parts.listCommands.followCatalogue(*this); });
    PositionCellEditor();
    SetColumnWidths();
    followListOpen();
    new StatusTimer(m_list, m_ui, this);
}

bool Form1::isListOpen() const
{
    return !m_list.CurrentListName().isEmpty();
}

void Form1::followListOpen()
{
    const bool open = isListOpen();
    if (!open)
        m_cellEditor->commit();
    m_cellEditor->setAllowed(open);
    m_ui.Text2->setReadOnly(!open);
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_ui.layOut(size());
}

void Form1::SetColumnWidths()
{
    // The page's layout stays what printing reads; the grid shows the
    // layout widened to its own width.
    MedicationGrid &grid = *m_ui.Grid1;
    const ColumnSizes layout = ColumnSizer::compute(grid, m_parts.printers.pageWidth());
    const ColumnSizes shown = ColumnSizer::fillGrid(grid, layout, grid.widthToFill());
    for (int column = 0; column < MedicationList::ColumnCount; ++column)
        grid.setColWidth(column, layout.columnWidths[column], shown.columnWidths[column]);
    for (int row = MedicationList::FirstDataRow; row < MedicationList::RowCount; ++row)
        grid.setRowHeight(row, shown.rowHeights[row]);
}

void Form1::ClearList()
{
    m_list.ClearList();
    m_ui.Grid1->tableModel().clearStyles();
}

void Form1::PositionCellEditor()
{
    m_cellEditor->PositionCellEditor();
}

void Form1::ApplyFontSize(int size)
{
    m_fonts->ApplyFontSize(size);
}

void Form1::ApplyBold(bool on)
{
    m_fonts->ApplyBold(on);
}

void Form1::chooseFontSize(int index)
{
    DisplayOptions::chooseFontSize(m_list, m_parts.history, index);
    if (DisplayOptions::sizeOf(index))
        ApplyFontSize(m_list.settings().fontSize);
    SetColumnWidths();
}

void Form1::toggleBold()
{
    DisplayOptions::toggleBold(m_list, m_parts.history);
    ApplyBold(m_list.settings().bold);
    SetColumnWidths();
}

void Form1::HighlightRefillDates()
{
    highlightRefillDates(MedicationList::FirstDataRow, MedicationList::LastDataRow);
}

void Form1::highlightRefillDates(int firstRow, int lastRow)
{
    m_refillDates->highlight(m_ui.Grid1->tableModel(), firstRow, lastRow);
}

void Form1::onListButton(int index)
{
    switch (index) {
    case Form1Ui::NewButton:
        m_parts.listCommands.NewList(*this);
        break;
    case Form1Ui::DeleteButton:
        m_parts.listCommands.DeleteList(*this);
        break;
    case Form1Ui::SaveButton:
        m_parts.listCommands.SaveList(*this);
        break;
    case Form1Ui::CalendarButton:
        Form3::open(*this, m_parts.clock);
        break;
    case Form1Ui::PrintButton:
        m_parts.printCommand.PrintList(*this, this);
        break;
    case Form1Ui::FontButton:
    case Form1Ui::HelpButton:
        m_ui.popUpMenu(Form1Ui::ListButton(index));
        break;
    default:
        break;
    }
}

void Form1::onRowButton(int index)
{
    if (!isListOpen())
        return;
    MedicationGrid &grid = *m_ui.Grid1;
    RowCommands &rows = m_parts.rowCommands;
    if (index == Form1Ui::LookupButton) {
        rows.lookUp(grid.row());
        return;
    }
    // Committed first, so the typed text stays with its medicine.
    m_cellEditor->commit();
    const int row = grid.row();
    int first = row;
    int last = row;
    if (index == Form1Ui::UpButton || index == Form1Ui::DownButton) {
        const int target = index == Form1Ui::UpButton ? rows.moveUp(row) : rows.moveDown(row);
        grid.setRow(target);
        first = std::min(row, target);
        last = std::max(row, target);
    } else if (index == Form1Ui::DeleteRowButton && rows.deleteRow(row)) {
        last = MedicationList::LastDataRow;
    }
    if (last > first) {
        // The refill warning and the row's height go with the medicine.
        SetColumnWidths();
        highlightRefillDates(first, last);
    }
    grid.setFocus();
}

void Form1::undoOrRedo(bool redo)
{
    if (m_cellEditor->undoTyping(redo))
        return;
    // An edit still open is the latest change: committed, it is undone as
    // any other.
    m_cellEditor->commit();
    const std::optional<ListHistory::Step> step =
        redo ? m_parts.history.redo() : m_parts.history.undo();
    if (step)
        showStep(*step);
}

void Form1::showStep(const ListHistory::Step &step)
{
    if (step.kind == ListHistory::Step::Kind::Fonts)
        m_fonts->follow(m_list.settings());
    SetColumnWidths();
    HighlightRefillDates();
    MedicationGrid &grid = *m_ui.Grid1;
    if (step.row > 0)
        grid.setCurrentCell(step.row, step.column > 0 ? step.column : grid.col());
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (m_parts.listCommands.mayClose(*this))
        event->accept();
    else
        event->ignore();
}

void Form1::commitOpenEdit()
{
    m_cellEditor->commit();
}

QStringList Form1::listNames() const
{
    QStringList names;
    for (int i = 0; i < m_ui.cboLoad->count(); ++i)
        names << m_ui.cboLoad->itemText(i);
    return names;
}

QString Form1::chosenListName() const
{
    return m_ui.cboLoad->currentText();
}

int Form1::chosenListIndex() const
{
    return m_ui.cboLoad->currentIndex();
}

void Form1::setListNames(const QStringList &names, int chosen)
{
    m_ui.cboLoad->clear();
    m_ui.cboLoad->addItems(names);
    m_ui.cboLoad->setCurrentIndex(chosen);
}

void Form1::chooseListIndex(int index)
{
    m_ui.cboLoad->setCurrentIndex(index);
}

void Form1::leaveMaximized()
{
    m_geometry->leaveMaximized();
}

void Form1::storeWindowGeometry()
{
    m_geometry->store(m_list);
}

void Form1::showLoadedList(const ListFileReadResult *read)
{
    if (read) {
        m_geometry->apply(m_list.settings());
        m_fonts->showLoaded(m_list.settings(), read->fontSizeStored);
    }
    SetColumnWidths();
    m_ui.Grid1->setCurrentCell(1, 1);
    m_ui.Grid1->setTopRow(1);
    m_ui.Grid1->setFocus();
    HighlightRefillDates();
}

void Form1::showEmptyList()
{
    ClearList();
    SetColumnWidths();
    m_ui.Grid1->setCurrentCell(1, 1);
    m_ui.Grid1->setTopRow(1);
    // Typing goes into the new list at once.
    m_ui.Grid1->setFocus();
}

bool Form1::listChosen() const
{
    return !m_ui.cboLoad->currentText().isEmpty();
}

int Form1::columnWidth(int column) const
{
    return m_ui.Grid1->colWidth(column);
}
