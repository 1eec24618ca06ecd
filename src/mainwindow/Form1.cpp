#include "Form1.h"

#include "Artwork.h"
#include "CellEditor.h"
#include "Clock.h"
#include "ColumnSizer.h"
#include "DesktopAddressOpener.h"
#include "DialogPrompter.h"
#include "AddressOpener.h"
#include "DataFolder.h"
#include "GeneralNotes.h"
#include "ListCommands.h"
#include "ListFileReader.h"
#include "MedicationGrid.h"
#include "MedicationTableModel.h"
#include "MedicineLookup.h"
#include "PrinterService.h"
#include "Prompter.h"
#include "RefillDate.h"
#include "StorableText.h"
#include "TextMeasurer.h"
#include "Twips.h"
#include "WindowLayout.h"

#include <QAction>
#include <QCloseEvent>
#include <QWheelEvent>
#include <QComboBox>
#include <QCursor>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {

constexpr int ClientWidth = 11550;
constexpr int ClientHeight = 7980;
constexpr int TimerIntervalMs = 50;
const QColor StripColor(137, 155, 163);
const QColor DueBackground(128, 0, 0);
const QColor DueText(255, 255, 255);

void placeInTwips(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width),
                        Twips::toPixels(height));
}

void placeInTwips(QWidget *widget, const TwipsRect &rect)
{
    placeInTwips(widget, rect.left, rect.top, rect.width, rect.height);
}

TwipsRect twipsRectOf(const QWidget *widget)
{
    const QRect g = widget->geometry();
    return {g.x() * Twips::PerPixel, g.y() * Twips::PerPixel, g.width() * Twips::PerPixel,
            g.height() * Twips::PerPixel};
}

QPushButton *makeButton(QWidget *strip, const QString &caption, const QString &tooltip,
                        const QString &name, int left, int width)
{
    auto *button = new QPushButton(caption, strip);
    button->setObjectName(name);
    button->setToolTip(tooltip);
    button->setAutoDefault(false);
    placeInTwips(button, left, 0, width, 315);
    return button;
}

QFrame *makeStrip(QWidget *parent, const QString &name, int top)
{
    auto *strip = new QFrame(parent);
    strip->setObjectName(name);
    strip->setAutoFillBackground(true);
    QPalette palette = strip->palette();
    palette.setColor(QPalette::Window, StripColor);
    strip->setPalette(palette);
    placeInTwips(strip, 120, top, 9735, 375);
    return strip;
}

} // namespace

QFont Form1::standardFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    return font;
}

Form1::Form1(const MainWindowServices &services, QWidget *parent)
    : QWidget(parent), m_services(services), m_measuringFont(standardFont()),
      m_measurer(m_measuringFont)
{
    if (!m_services.prompter) {
        m_ownPrompter = std::make_unique<DialogPrompter>(this);
        m_services.prompter = m_ownPrompter.get();
    }
    if (!m_services.addressOpener) {
        m_ownAddressOpener = std::make_unique<DesktopAddressOpener>();
        m_services.addressOpener = m_ownAddressOpener.get();
    }
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Pillora"));
    setWindowIcon(Artwork::windowIcon());
    setFont(standardFont());
    createControls();
    createMenus();
    setTabOrder();
    resize(Twips::toPixels(ClientWidth), Twips::toPixels(ClientHeight));
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - rect().center());
    }
    startUp();
}

Form1::~Form1() = default;

void Form1::createControls()
{
    Picture1 = makeStrip(this, QStringLiteral("Picture1"), 120);
    const struct
    {
        int index;
        const char *caption;
        const char *tooltip;
        int left;
    } listButtons[] = {
        {NewButton, "&New", "Create a new Med List", 0},
        {SaveButton, "&Save", "Save current Med List", 3360},
        {DeleteButton, "&Delete", "Delete current Med List", 4320},
        {PrintButton, "&Print", "Print current Med List", 5280},
        {CalendarButton, "&Calendar", "Display calendar", 6240},
        {FontButton, "&Font", "Change font and bold attributes", 7200},
        {HelpButton, "&Help", "Display Help file", 8160},
    };
    for (const auto &b : listButtons) {
        Command1[b.index] = makeButton(Picture1, QString::fromLatin1(b.caption),
                                       QString::fromLatin1(b.tooltip),
                                       QStringLiteral("Command1_%1").arg(b.index), b.left, 960);
        connect(Command1[b.index], &QPushButton::clicked, this,
                [this, index = b.index] { onListButton(index); });
    }
    Command1[SaveButton]->setEnabled(false);
    Command1[DeleteButton]->setEnabled(false);
    Command1[PrintButton]->setEnabled(false);

    cboLoad = new QComboBox(Picture1);
    cboLoad->setObjectName(QStringLiteral("cboLoad"));
    cboLoad->setToolTip(QStringLiteral("Load an existing Med List"));
    QFont selectorFont = standardFont();
    selectorFont.setBold(true);
    cboLoad->setFont(selectorFont);
    cboLoad->setPlaceholderText(QStringLiteral("Choose a list, or press New to start one"));
    // A wheel turned while passing over the selector must not load a list.
    cboLoad->setFocusPolicy(Qt::StrongFocus);
    cboLoad->installEventFilter(this);
    placeInTwips(cboLoad, 960, 0, 2415, 315);
    connect(cboLoad, &QComboBox::activated, this, [this] { m_commands->LoadList(); });

    Picture2 = makeStrip(this, QStringLiteral("Picture2"), 600);
    const struct
    {
        const char *caption;
        const char *tooltip;
    } rowButtons[] = {
        {"&Up", "Move selected Med up in list"},
        {"D&own", "Move selected Med down in list"},
        {"D&elete", "Delete selected Med"},
        {"&Lookup", "Lookup selected Med on the internet"},
    };
    for (int i = 0; i < int(Command2.size()); ++i) {
        Command2[i] = makeButton(Picture2, QString::fromLatin1(rowButtons[i].caption),
                                 QString::fromLatin1(rowButtons[i].tooltip),
                                 QStringLiteral("Command2_%1").arg(i), 960 * i, 975);
        Command2[i]->setEnabled(false);
        connect(Command2[i], &QPushButton::clicked, this, [this, i] { onRowButton(i); });
    }

    Grid1 = new MedicationGrid(
        m_list,
        [this](const QString &text) {
            return RefillDate::unreadableHint(text, QLocale(), today());
        },
        this);
    placeInTwips(Grid1, 120, 1080, 9735, 4335);

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setFrame(false);
    Text1->setValidator(new StorableTextValidator(Text1));
    placeInTwips(Text1, 4440, 3600, 1215, 285);
    Text1->hide();

    Text3 = new StorableTextEdit(this);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setTabChangesFocus(true);
    Text3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text3->setFont(standardFont());
    placeInTwips(Text3, 4440, 3960, 1215, 285);
    Text3->hide();

    m_cellEditor = new CellEditor(m_list, *Grid1, *Text1, *Text3, *this);
    connect(Grid1, &MedicationGrid::doubleClick, m_cellEditor, &CellEditor::requestOpen);
    // Scrolling ends an edit as leaving the cell does: the typed text stays.
    connect(Grid1, &MedicationGrid::leaveCell, m_cellEditor, &CellEditor::commit);
    connect(Grid1, &MedicationGrid::scrolled, m_cellEditor, &CellEditor::commit);
    connect(m_cellEditor, &CellEditor::committed, this, &Form1::SetColumnWidths);
    connect(m_cellEditor, &CellEditor::refillDateLeft, this, &Form1::HighlightRefillDates);

    Label3 = new QLabel(QStringLiteral("General Notes Section"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    placeInTwips(Label3, 120, 5520, 2175, 255);

    Text2 = new StorableTextEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setTabChangesFocus(true);
    Text2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    placeInTwips(Text2, 120, 5760, 5055, 1455);
    new GeneralNotes(m_list, *Text2);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(Artwork::rowMarker());
    placeInTwips(Image1, 600, 7560, 240, 240);
    Image1->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(TimerIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &Form1::updateStatus);
    Timer1->start();
}

void Form1::createMenus()
{
    mnuFont = new QMenu(QStringLiteral("Font"), this);
    mnuFont->setObjectName(QStringLiteral("mnuFont"));
    mnuFontSize = mnuFont->addMenu(QStringLiteral("Font &Size"));
    mnuFontSize->setObjectName(QStringLiteral("mnuFontSize"));
    const char *sizes[] = {"&Standard", "&Large"};
    for (int i = 0; i < 2; ++i) {
        mnuFontSizeOp[i] = mnuFontSize->addAction(QString::fromLatin1(sizes[i]));
        mnuFontSizeOp[i]->setObjectName(QStringLiteral("mnuFontSizeOp_%1").arg(i));
        mnuFontSizeOp[i]->setCheckable(true);
        connect(mnuFontSizeOp[i], &QAction::triggered, this, [this, i] { chooseFontSize(i); });
    }
    mnuBold = mnuFont->addAction(QStringLiteral("&Bold"));
    mnuBold->setObjectName(QStringLiteral("mnuBold"));
    mnuBold->setCheckable(true);
    connect(mnuBold, &QAction::triggered, this, &Form1::toggleBold);

    mnuHelp = new QMenu(QStringLiteral("Help"), this);
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuAbout = mnuHelp->addAction(QStringLiteral("&About"));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
    mnuHelpOp = mnuHelp->addAction(QStringLiteral("&Help"));
    mnuHelpOp->setObjectName(QStringLiteral("mnuHelpOp"));
}

void Form1::setTabOrder()
{
    const QList<QWidget *> order{Grid1,
                                 Text1,
                                 Command1[SaveButton],
                                 Command1[DeleteButton],
                                 Command1[NewButton],
                                 Text2,
                                 Command1[CalendarButton],
                                 cboLoad,
                                 Command2[UpButton],
                                 Command2[DownButton],
                                 Command2[DeleteRowButton],
                                 Command1[PrintButton],
                                 Command1[FontButton],
                                 Command1[HelpButton],
                                 Text3,
                                 Command2[LookupButton]};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void Form1::startUp()
{
    const DataFolder folder(m_services.programFolder);
    QString problem;
    if (!folder.EnsureDataFolder(&problem))
        m_services.prompter->warn(problem + QStringLiteral("\n\nLists cannot be saved."),
                                  QStringLiteral("Pillora"));
    m_commands = std::make_unique<ListCommands>(m_list, ListStore(folder), *this,
                                                *m_services.prompter);
    m_list.writeHeaderTexts();
    cboLoad->addItems(folder.catalogue().read());
    cboLoad->setCurrentIndex(-1);
    // Standard is marked from the start, so a list saved before any size
    // was chosen records the size it is shown in.
    mnuFontSizeOp[0]->setChecked(true);
    PositionCellEditor();
    SetColumnWidths();
    // Until New or Load there is no list that typing could go into.
    connect(&m_list, &MedicationList::currentListNameChanged, this, &Form1::followListOpen);
    followListOpen();
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
    Text2->setReadOnly(!open);
}

void Form1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutControls();
}

void Form1::layoutControls()
{
    const MainWindowPlacement current{twipsRectOf(Picture1), twipsRectOf(Picture2),
                                      twipsRectOf(Grid1), twipsRectOf(Label3),
                                      twipsRectOf(Text2)};
    const MainWindowPlacement placed = layoutForClientArea(
        width() * Twips::PerPixel, height() * Twips::PerPixel, current);
    placeInTwips(Picture1, placed.picture1);
    placeInTwips(Picture2, placed.picture2);
    placeInTwips(Grid1, placed.grid1);
    placeInTwips(Label3, placed.label3);
    placeInTwips(Text2, placed.text2);
}

void Form1::SetColumnWidths()
{
    fitColumns(m_services.printers ? m_services.printers->pageWidth() : 0);
}

void Form1::fitColumns(int pageWidth)
{
    const ColumnSizes sizes = ColumnSizer::compute(*Grid1, pageWidth);
    for (int column = 0; column < MedicationList::ColumnCount; ++column)
        Grid1->setColWidth(column, sizes.columnWidths[column]);
    for (int row = MedicationList::FirstDataRow; row < MedicationList::RowCount; ++row)
        Grid1->setRowHeight(row, sizes.rowHeights[row]);
}

void Form1::ClearList()
{
    m_list.ClearList();
    Grid1->tableModel().clearStyles();
}

void Form1::PositionCellEditor()
{
    m_cellEditor->PositionCellEditor();
}

bool Form1::EditingCell() const
{
    return m_cellEditor->EditingCell();
}

void Form1::changeListFonts(const std::function<void(QFont &)> &change)
{
    // Text3 keeps the standard font whatever the list's settings.
    change(m_measuringFont);
    m_measurer.setFont(m_measuringFont);
    for (QWidget *widget : std::initializer_list<QWidget *>{Grid1, Text1, Text2}) {
        QFont font = widget->font();
        change(font);
        widget->setFont(font);
    }
}

void Form1::ApplyFontSize(int size)
{
    changeListFonts([size](QFont &font) { font.setPointSize(size); });
    mnuFontSizeOp[0]->setChecked(size == 8);
    mnuFontSizeOp[1]->setChecked(size == 10);
    ListSettings settings = m_list.settings();
    settings.fontSize = size == 8 ? 8 : 10;
    m_list.setSettings(settings);
}

void Form1::ApplyBold(bool on)
{
    changeListFonts([on](QFont &font) { font.setBold(on); });
    mnuBold->setChecked(on);
    ListSettings settings = m_list.settings();
    settings.bold = on;
    m_list.setSettings(settings);
}

void Form1::chooseFontSize(int index)
{
    if (index == 0)
        ApplyFontSize(8);
    else if (index == 1)
        ApplyFontSize(10);
    SetColumnWidths();
    m_list.setChangesMade(true);
}

void Form1::toggleBold()
{
    // QAction has already flipped its mark; the mark before the click decides.
    ApplyBold(!m_list.settings().bold);
    SetColumnWidths();
    m_list.setChangesMade(true);
}

QDate Form1::today() const
{
    return m_services.clock ? m_services.clock->today() : QDate::currentDate();
}

void Form1::HighlightRefillDates()
{
    highlightRefillDates(MedicationList::FirstDataRow, MedicationList::LastDataRow);
}

void Form1::highlightRefillDates(int firstRow, int lastRow)
{
    const QDate today = this->today();
    const QLocale locale;
    MedicationTableModel &model = Grid1->tableModel();
    for (int row = firstRow; row <= lastRow; ++row) {
        const QString text = m_list.cell(row, MedicationList::RefillDateColumn);
        if (RefillDate::isDue(text, locale, today))
            model.setCellColors(row, MedicationList::RefillDateColumn, DueBackground, DueText);
        else
            model.setCellColors(row, MedicationList::RefillDateColumn,
                                palette().color(QPalette::Base), Qt::black);
    }
}

void Form1::updateStatus()
{
    const bool listChosen = !cboLoad->currentText().isEmpty();
    for (int index : {DeleteButton, SaveButton, PrintButton})
        Command1[index]->setEnabled(listChosen);

    const int row = Grid1->row();
    const bool rowHasName =
        isListOpen() && !m_list.cell(row, MedicationList::NameColumn).isEmpty();
    for (QPushButton *button : Command2)
        button->setEnabled(rowHasName);

    if (row != m_lastMarkedRow) {
        Grid1->tableModel().setRowMarker(row, true);
        Grid1->tableModel().setRowMarker(m_lastMarkedRow, false);
        m_lastMarkedRow = row;
    }
}

void Form1::onListButton(int index)
{
    switch (index) {
    case NewButton:
        m_commands->NewList();
        break;
    case DeleteButton:
        m_commands->DeleteList();
        break;
    case SaveButton:
        commitEdit();
        m_commands->SaveList();
        break;
    case FontButton:
        mnuFont->popup(QCursor::pos());
        break;
    case HelpButton:
        mnuHelp->popup(QCursor::pos());
        break;
    default:
        break;
    }
}

void Form1::commitEdit()
{
    m_cellEditor->commit();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    // On Windows the wheel changes the list only once the selector has the
    // keyboard focus; a wheel merely passing over it must not load a list.
    if (watched == cboLoad && event->type() == QEvent::Wheel && !cboLoad->hasFocus()) {
        event->ignore();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::onRowButton(int index)
{
    if (!isListOpen())
        return;
    switch (index) {
    case UpButton:
        moveRow(-1);
        break;
    case DownButton:
        moveRow(+1);
        break;
    case DeleteRowButton:
        deleteRow();
        break;
    case LookupButton:
        lookUpMedicine();
        break;
    default:
        break;
    }
}

void Form1::moveRow(int offset)
{
    commitEdit();
    const int row = Grid1->row();
    const int target = row + offset;
    if (target >= MedicationList::FirstDataRow && target <= MedicationList::LastDataRow) {
        m_list.swapRowTexts(row, target);
        Grid1->setRow(target);
        m_list.setChangesMade(true);
        // The refill warning and the row's height go with the medicine.
        SetColumnWidths();
        highlightRefillDates(std::min(row, target), std::max(row, target));
    }
    Grid1->setFocus();
}

void Form1::deleteRow()
{
    commitEdit();
    const int row = Grid1->row();
    const QString name = m_list.cell(row, MedicationList::NameColumn);
    if (!name.isEmpty() &&
        m_services.prompter->askYesNo(QStringLiteral("Delete %1?").arg(name),
                                      QStringLiteral("Pillora"))) {
        Grid1->removeRow(row);
        m_list.setChangesMade(true);
        SetColumnWidths();
        highlightRefillDates(row, MedicationList::LastDataRow);
    }
    Grid1->setFocus();
}

void Form1::lookUpMedicine()
{
    const QString name = m_list.cell(Grid1->row(), MedicationList::NameColumn);
    if (name.isEmpty()) {
        m_services.prompter->inform(QStringLiteral("Please highlight a medicine above first."),
                                    QStringLiteral("Message"));
        return;
    }
    m_services.addressOpener->open(MedicineLookup::address(name));
}

QStringList Form1::listNames() const
{
    QStringList names;
    for (int i = 0; i < cboLoad->count(); ++i)
        names << cboLoad->itemText(i);
    return names;
}

QString Form1::chosenListName() const
{
    return cboLoad->currentText();
}

int Form1::chosenListIndex() const
{
    return cboLoad->currentIndex();
}

void Form1::addListName(const QString &name)
{
    cboLoad->addItem(name);
}

void Form1::chooseListIndex(int index)
{
    cboLoad->setCurrentIndex(index);
}

void Form1::removeChosenListName()
{
    cboLoad->removeItem(cboLoad->currentIndex());
    cboLoad->setCurrentIndex(-1);
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
        const int outerWidth = Twips::toPixels(settings.windowWidth);
        const int outerHeight = Twips::toPixels(settings.windowHeight);
        move(Twips::toPixels(settings.windowLeft), Twips::toPixels(settings.windowTop));
        if (outerWidth > frame.width() && outerHeight > frame.height())
            resize(outerWidth - frame.width(), outerHeight - frame.height());
        if (read->fontSizeStored) {
            ApplyFontSize(settings.fontSize);
        } else {
            mnuFontSizeOp[0]->setChecked(settings.fontSize == 8);
            mnuFontSizeOp[1]->setChecked(settings.fontSize == 10);
        }
        ApplyBold(settings.bold);
    }
    SetColumnWidths();
    Grid1->setCurrentCell(1, 1);
    Grid1->setTopRow(1);
    Grid1->setFocus();
    HighlightRefillDates();
}

void Form1::showEmptyList()
{
    ClearList();
    Grid1->setCurrentCell(1, 1);
    Grid1->setTopRow(1);
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (m_commands->mayClose())
        event->accept();
    else
        event->ignore();
}
