#include "Form1.h"

#include "CatalogueWatcher.h"
#include "CellEditor.h"
#include "Clock.h"
#include "ColumnSizer.h"
#include "DisplayOptions.h"
#include "FontTextMeasurer.h"
#include "Form3.h"
#include "GeneralNotes.h"
#include "HelpCommand.h"
#include "ListCommands.h"
#include "ListFileReader.h"
#include "ListStore.h"
#include "MedicationGrid.h"
#include "MedicationTableModel.h"
#include "PrintCommand.h"
#include "PrinterService.h"
#include "ProgramInfo.h"
#include "RefillDate.h"
#include "RowCommands.h"
#include "StatusTimer.h"
#include "StorableText.h"
#include "Twips.h"
#include "WindowPlacement.h"
#include "frmAbout.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

namespace {

const QColor DueBackground(128, 0, 0);
const QColor DueText(255, 255, 255);

} // namespace

Form1::Form1(const MainWindowParts &parts, QWidget *parent)
    : QWidget(parent), m_parts(parts), m_list(parts.list)
{
    setWindowTitle(ProgramInfo::title());
    m_ui.setupUi(*this, m_list, [this](const QString &text) { return refillDateHint(text); });
    m_parts.measurer.setFont(Form1Ui::standardFont());
    m_cellEditor = new CellEditor(m_list, *m_ui.Grid1, *m_ui.Text1, *m_ui.Text3, *this);
    new GeneralNotes(m_list, *m_ui.Text2);
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
    for (int i = 0; i < int(m_ui.Command2.size()); ++i)
        connect(m_ui.Command2[i], &QPushButton::clicked, this, [this, i] { onRowButton(i); });
    connect(m_ui.cboLoad, &QComboBox::activated, this,
            [this] { m_parts.listCommands.LoadList(*this); });

    MedicationGrid *grid = m_ui.Grid1;
    connect(grid, &MedicationGrid::doubleClick, m_cellEditor, &CellEditor::requestOpen);
    // Scrolling ends an edit as leaving the cell does: the typed text stays.
    connect(grid, &MedicationGrid::leaveCell, m_cellEditor, &CellEditor::commit);
    connect(grid, &MedicationGrid::scrolled, m_cellEditor, &CellEditor::commit);
    connect(m_cellEditor, &CellEditor::committed, this, &Form1::SetColumnWidths);
    connect(m_cellEditor, &CellEditor::refillDateLeft, this, &Form1::HighlightRefillDates);

    for (int i = 0; i < int(m_ui.mnuFontSizeOp.size()); ++i)
        connect(m_ui.mnuFontSizeOp[i], &QAction::triggered, this, [this, i] { chooseFontSize(i); });
    connect(m_ui.mnuBold, &QAction::triggered, this, &Form1::toggleBold);
    connect(m_ui.mnuAbout, &QAction::triggered, this,
            [this] { frmAbout::showModal(*this, m_parts.addressOpener, m_parts.prompter); });
    connect(m_ui.mnuHelpOp, &QAction::triggered, this,
            [this] { HelpCommand(m_parts.addressOpener, m_parts.fileAssociations).run(*this); });
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
    // Standard is marked from the start, so a list saved before any size
    // was chosen records the size it is shown in.
    m_ui.mnuFontSizeOp[0]->setChecked(true);
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
    const ColumnSizes sizes = ColumnSizer::compute(*m_ui.Grid1, m_parts.printers.pageWidth());
    for (int column = 0; column < MedicationList::ColumnCount; ++column)
        m_ui.Grid1->setColWidth(column, sizes.columnWidths[column]);
    for (int row = MedicationList::FirstDataRow; row < MedicationList::RowCount; ++row)
        m_ui.Grid1->setRowHeight(row, sizes.rowHeights[row]);
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

void Form1::changeListFonts(const std::function<void(QFont &)> &change)
{
    // Text3, the buttons and the label keep the design font whatever the
    // list's settings.
    QFont measuring = m_parts.measurer.font();
    change(measuring);
    m_parts.measurer.setFont(measuring);
    for (QWidget *widget : std::initializer_list<QWidget *>{m_ui.Grid1, m_ui.Text1, m_ui.Text2}) {
        QFont font = widget->font();
        change(font);
        widget->setFont(font);
    }
}

void Form1::ApplyFontSize(int size)
{
    changeListFonts([size](QFont &font) { font.setPointSize(size); });
    m_ui.mnuFontSizeOp[0]->setChecked(size == DisplayOptions::StandardSize);
    m_ui.mnuFontSizeOp[1]->setChecked(size == DisplayOptions::LargeSize);
}

void Form1::ApplyBold(bool on)
{
    changeListFonts([on](QFont &font) { font.setBold(on); });
    m_ui.mnuBold->setChecked(on);
}

void Form1::chooseFontSize(int index)
{
    DisplayOptions::chooseFontSize(m_list, index);
    if (index == 0 || index == 1)
        ApplyFontSize(m_list.settings().fontSize);
    SetColumnWidths();
}

void Form1::toggleBold()
{
    DisplayOptions::toggleBold(m_list);
    ApplyBold(m_list.settings().bold);
    SetColumnWidths();
}

QString Form1::refillDateHint(const QString &text) const
{
    // Painting and fitting the columns ask for every refill date again and
    // again; reading a date is slow next to looking its answer up.
    const QDate today = m_parts.clock.today();
    if (today != m_hintsDay) {
        m_dateHints.clear();
        m_hintsDay = today;
    }
    if (const auto known = m_dateHints.constFind(text); known != m_dateHints.constEnd())
        return *known;
    return *m_dateHints.insert(text, RefillDate::unreadableHint(text, QLocale(), today));
}

void Form1::HighlightRefillDates()
{
    highlightRefillDates(MedicationList::FirstDataRow, MedicationList::LastDataRow);
}

void Form1::highlightRefillDates(int firstRow, int lastRow)
{
    const QDate today = m_parts.clock.today();
    const QLocale locale;
    MedicationTableModel &model = m_ui.Grid1->tableModel();
    for (int row = firstRow; row <= lastRow; ++row) {
        const QString text = m_list.cell(row, MedicationList::RefillDateColumn);
        if (RefillDate::isDue(text, locale, today))
            model.setCellColors(row, MedicationList::RefillDateColumn, DueBackground, DueText);
        else
            model.setCellColors(row, MedicationList::RefillDateColumn,
                                palette().color(QPalette::Base), Qt::black);
    }
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
        m_ui.mnuFont->popup(QCursor::pos());
        break;
    case Form1Ui::HelpButton:
        m_ui.mnuHelp->popup(QCursor::pos());
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
    if (isMaximized())
        showNormal();
}

void Form1::storeWindowGeometry()
{
    const QRect outer = frameGeometry();
    ListSettings settings = m_list.settings();
    settings.windowLeft = float(Twips::fromPixels(outer.x()));
    settings.windowTop = float(Twips::fromPixels(outer.y()));
    settings.windowWidth = float(Twips::fromPixels(outer.width()));
    settings.windowHeight = float(Twips::fromPixels(outer.height()));
    m_list.setSettings(settings);
}

void Form1::showLoadedList(const ListFileReadResult *read)
{
    if (read) {
        const ListSettings &settings = m_list.settings();
        // The file keeps the outer size; the frame is the desktop's own.
        const QSize frame = frameGeometry().size() - geometry().size();
        const QSize stored(WindowPlacement::pixelsFromStoredTwips(settings.windowWidth),
                           WindowPlacement::pixelsFromStoredTwips(settings.windowHeight));
        QRect outer(WindowPlacement::pixelsFromStoredTwips(settings.windowLeft),
                    WindowPlacement::pixelsFromStoredTwips(settings.windowTop), 0, 0);
        outer.setSize(stored.width() > frame.width() && stored.height() > frame.height()
                          ? stored
                          : frameGeometry().size());
        outer = WindowPlacement::reachableFrame(outer, titleBarHeight(), availableScreens());
        move(outer.topLeft());
        resize(outer.size() - frame);
        if (read->fontSizeStored) {
            ApplyFontSize(settings.fontSize);
        } else {
            m_ui.mnuFontSizeOp[0]->setChecked(settings.fontSize == DisplayOptions::StandardSize);
            m_ui.mnuFontSizeOp[1]->setChecked(settings.fontSize == DisplayOptions::LargeSize);
        }
        ApplyBold(settings.bold);
    }
    SetColumnWidths();
    m_ui.Grid1->setCurrentCell(1, 1);
    m_ui.Grid1->setTopRow(1);
    m_ui.Grid1->setFocus();
    HighlightRefillDates();
}

int Form1::titleBarHeight() const
{
    // Before the desktop has framed the window its frame is unknown.
    const int frameTop = geometry().top() - frameGeometry().top();
    return frameTop > 0 ? frameTop : 30;
}

QList<QRect> Form1::availableScreens() const
{
    // The primary screen first: a window far off is brought there.
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.insert(screen == QGuiApplication::primaryScreen() ? 0 : screens.size(),
                       screen->availableGeometry());
    return screens;
}

void Form1::showEmptyList()
{
    ClearList();
    m_ui.Grid1->setCurrentCell(1, 1);
    m_ui.Grid1->setTopRow(1);
}

bool Form1::listChosen() const
{
    return !m_ui.cboLoad->currentText().isEmpty();
}

int Form1::columnWidth(int column) const
{
    return m_ui.Grid1->colWidth(column);
}
