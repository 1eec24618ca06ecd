#include "Form1Ui.h"

#include "Artwork.h"
#include "ListSelector.h"
#include "MainWindowDesign.h"
#include "MedicationGrid.h"
#include "StorableText.h"
#include "Twips.h"
#include "WindowShortcuts.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

namespace {

constexpr int TimerIntervalMs = 50;
const QColor StripColor(137, 155, 163);

QFrame *makeStrip(QWidget &parent, const QString &name)
{
    auto *strip = new QFrame(&parent);
    strip->setObjectName(name);
    strip->setAutoFillBackground(true);
    QPalette palette = strip->palette();
    palette.setColor(QPalette::Window, StripColor);
    strip->setPalette(palette);
    return strip;
}

// A tooltip names the control's shortcut, where it has one.
QString withShortcut(const char *tooltip, const QKeySequence &shortcut)
{
    const QString text = QString::fromLatin1(tooltip);
    if (shortcut.isEmpty())
        return text;
    return QStringLiteral("%1 (%2)").arg(text, shortcut.toString(QKeySequence::NativeText));
}

QPushButton *makeButton(QWidget *strip, const char *caption, const QString &tooltip,
                        const QString &name)
{
    auto *button = new QPushButton(QString::fromLatin1(caption), strip);
    button->setObjectName(name);
    button->setToolTip(tooltip);
    button->setAutoDefault(false);
    return button;
}

// To screen readers the window is a window, not a plain panel, and its two
// strips are tool bars.
QAccessibleInterface *windowFactory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String("Form1") && widget->objectName() == QLatin1String("Form1"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    const bool strip = object->objectName() == QLatin1String("Picture1") ||
                       object->objectName() == QLatin1String("Picture2");
    if (className == QLatin1String("QFrame") && strip && widget->parentWidget() &&
        widget->parentWidget()->objectName() == QLatin1String("Form1"))
        return new QAccessibleWidget(widget, QAccessible::ToolBar);
    return nullptr;
}

} // namespace

QFont Form1Ui::standardFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    return font;
}

void Form1Ui::setupUi(QWidget &window, MedicationList &list,
                      std::function<QString(const QString &)> checkRefillDate)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(windowFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    window.setObjectName(QStringLiteral("Form1"));
    window.setWindowIcon(Artwork::windowIcon());
    window.setFont(standardFont());

    Picture1 = makeStrip(window, QStringLiteral("Picture1"));
    Picture2 = makeStrip(window, QStringLiteral("Picture2"));
    createButtons();

    cboLoad = new ListSelector(Picture1);
    cboLoad->setObjectName(QStringLiteral("cboLoad"));
    cboLoad->setToolTip(withShortcut("Load an existing Med List", WindowShortcuts::chooseList()));
    QFont selectorFont = standardFont();
    selectorFont.setBold(true);
    cboLoad->setFont(selectorFont);
    cboLoad->setPlaceholderText(QStringLiteral("Choose a list"));
    // The wheel may change the list only once the selector has the focus.
    cboLoad->setFocusPolicy(Qt::StrongFocus);

    Grid1 = new MedicationGrid(list, std::move(checkRefillDate), &window);

    Text1 = new QLineEdit(&window);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setFrame(false);
    Text1->setValidator(new StorableTextValidator(Text1));
    Text1->hide();

    Text3 = new StorableTextEdit(&window);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setTabChangesFocus(true);
    Text3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text3->setFont(standardFont());
    Text3->hide();

    Label3 = new QLabel(QStringLiteral("General Notes Section"), &window);
    Label3->setObjectName(QStringLiteral("Label3"));

    Text2 = new StorableTextEdit(&window);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setTabChangesFocus(true);
    Text2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Image1 = new QLabel(&window);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(Artwork::rowMarker());
    Image1->hide();

    Timer1 = new QTimer(&window);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(TimerIntervalMs);

    createMenus(window);
    createShortcuts(window);
    placeAsDesigned(window);
    nameForScreenReaders();
}

void Form1Ui::createButtons()
{
    const struct
    {
        int index;
        const char *caption;
        const char *tooltip;
        QKeySequence shortcut;
    } listButtons[] = {
        {NewButton, "&New", "Create a new Med List", WindowShortcuts::newList()},
        {SaveButton, "&Save", "Save current Med List", WindowShortcuts::save()},
        {DeleteButton, "&Delete", "Delete current Med List", {}},
        {PrintButton, "&Print", "Print current Med List", WindowShortcuts::print()},
        {CalendarButton, "&Calendar", "Display calendar", {}},
        {FontButton, "&Font", "Change font and bold attributes", {}},
        {HelpButton, "&Help", "Display Help file", WindowShortcuts::help()},
    };
    for (const auto &b : listButtons)
        Command1[b.index] = makeButton(Picture1, b.caption, withShortcut(b.tooltip, b.shortcut),
                                       QStringLiteral("Command1_%1").arg(b.index));
    for (int index : {SaveButton, DeleteButton, PrintButton})
        Command1[index]->setEnabled(false);

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
        Command2[i] =
            makeButton(Picture2, rowButtons[i].caption, QString::fromLatin1(rowButtons[i].tooltip),
                       QStringLiteral("Command2_%1").arg(i));
        Command2[i]->setEnabled(false);
    }
}

void Form1Ui::createMenus(QWidget &window)
{
    mnuFont = new QMenu(QStringLiteral("Font"), &window);
    mnuFont->setObjectName(QStringLiteral("mnuFont"));
    mnuFontSize = mnuFont->addMenu(QStringLiteral("Font &Size"));
    mnuFontSize->setObjectName(QStringLiteral("mnuFontSize"));
    const char *sizes[] = {"&Standard", "&Large"};
    for (int i = 0; i < 2; ++i) {
        mnuFontSizeOp[i] = mnuFontSize->addAction(QString::fromLatin1(sizes[i]));
        mnuFontSizeOp[i]->setObjectName(QStringLiteral("mnuFontSizeOp_%1").arg(i));
        mnuFontSizeOp[i]->setCheckable(true);
    }
    mnuBold = mnuFont->addAction(QStringLiteral("&Bold"));
    mnuBold->setObjectName(QStringLiteral("mnuBold"));
    mnuBold->setCheckable(true);

    mnuHelp = new QMenu(QStringLiteral("Help"), &window);
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuAbout = mnuHelp->addAction(QStringLiteral("&About"));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
    mnuHelpOp = mnuHelp->addAction(QStringLiteral("&Help"));
    mnuHelpOp->setObjectName(QStringLiteral("mnuHelpOp"));
}

void Form1Ui::createShortcuts(QWidget &window)
{
    const auto add = [&window](const char *name, const QList<QKeySequence> &keys) {
        auto *action = new QAction(&window);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        window.addAction(action);
        return action;
    };
    actUndo = add("actUndo", WindowShortcuts::undo());
    actRedo = add("actRedo", WindowShortcuts::redo());

    actNew = add("actNew", {WindowShortcuts::newList()});
    actSave = add("actSave", {WindowShortcuts::save()});
    actPrint = add("actPrint", {WindowShortcuts::print()});
    actHelp = add("actHelp", {WindowShortcuts::help()});
    QObject::connect(actHelp, &QAction::triggered, mnuHelpOp, &QAction::trigger);
    actClose = add("actClose", {WindowShortcuts::close()});
    QObject::connect(actClose, &QAction::triggered, &window, &QWidget::close);
    actChooseList = add("actChooseList", {WindowShortcuts::chooseList()});
    QObject::connect(actChooseList, &QAction::triggered, cboLoad,
                     [this] { cboLoad->setFocus(Qt::ShortcutFocusReason); });
}

void Form1Ui::nameForScreenReaders()
{
    // The two Delete buttons read the same on screen; their strips tell
    // them apart, which a screen reader does not show.
    Command1[DeleteButton]->setAccessibleName(QStringLiteral("Delete list"));
    Command2[DeleteRowButton]->setAccessibleName(QStringLiteral("Delete medicine"));
    Picture1->setAccessibleName(QStringLiteral("List buttons"));
    Picture2->setAccessibleName(QStringLiteral("Medicine buttons"));
    Grid1->setAccessibleName(QStringLiteral("Medicines"));
    Label3->setBuddy(Text2);

    // A combo box is named by its current text on Linux and labelled by
    // what labels it; the selector has no label on screen, so it gets one
    // that only screen readers find.
    const QString selector = QStringLiteral("Medication list");
    cboLoad->setAccessibleName(selector);
    cboLoad->view()->setAccessibleName(QStringLiteral("Medication lists"));
    auto *label = new QLabel(selector, cboLoad->parentWidget());
    label->setObjectName(QStringLiteral("cboLoadLabel"));
    label->setBuddy(cboLoad);
    label->setGeometry(cboLoad->geometry());
    label->hide();
}

void Form1Ui::popUpMenu(ListButton button) const
{
    QMenu *menu = button == FontButton ? mnuFont : mnuHelp;
    const QPushButton *under = Command1[button];
    menu->popup(under->mapToGlobal(QPoint(0, under->height())));
}

void Form1Ui::placeAsDesigned(QWidget &window)
{
    for (const MainWindowDesign::Place &place : MainWindowDesign::Places)
        window.findChild<QWidget *>(QString::fromLatin1(place.objectName))
            ->setGeometry(Twips::toPixels(place.rect));
    QWidget *previous = nullptr;
    for (const char *name : MainWindowDesign::TabOrder) {
        auto *control = window.findChild<QWidget *>(QString::fromLatin1(name));
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
    window.resize(Twips::toPixels(MainWindowDesign::ClientWidth),
                  Twips::toPixels(MainWindowDesign::ClientHeight));
}

void Form1Ui::layOut(const QSize &clientArea)
{
    const auto twipsOf = [](const QWidget *widget) {
        return Twips::fromPixels(widget->geometry());
    };
    const MainWindowPlacement current{twipsOf(Picture1), twipsOf(Picture2), twipsOf(Grid1),
                                      twipsOf(Label3), twipsOf(Text2)};
    const MainWindowPlacement placed = layoutForClientArea(
        clientArea.width() * Twips::PerPixel, clientArea.height() * Twips::PerPixel, current);
    Picture1->setGeometry(Twips::toPixels(placed.picture1));
    Picture2->setGeometry(Twips::toPixels(placed.picture2));
    Grid1->setGeometry(Twips::toPixels(placed.grid1));
    Label3->setGeometry(Twips::toPixels(placed.label3));
    Text2->setGeometry(Twips::toPixels(placed.text2));
}

QSize Form1Ui::minimumClientArea() const
{
    int stripContent = 0;
    for (const MainWindowDesign::Place &place : MainWindowDesign::Places) {
        const QString name = QString::fromLatin1(place.objectName);
        if (name.startsWith(u"Command") || name == u"cboLoad")
            stripContent = std::max(stripContent, place.rect.left + place.rect.width);
    }
    const int gridHeight =
        Grid1->horizontalHeader()->height() + Twips::toPixels(ColumnSizer::MinimumRowHeight) +
        Grid1->horizontalScrollBar()->sizeHint().height() + 2 * Grid1->frameWidth();
    const auto twipsOf = [](const QWidget *widget) {
        return Twips::fromPixels(widget->geometry());
    };
    const QSize area = ::minimumClientArea(
        stripContent, int(Twips::fromPixels(gridHeight)),
        {twipsOf(Picture1), twipsOf(Picture2), twipsOf(Grid1), twipsOf(Label3), twipsOf(Text2)});
    return {Twips::toPixels(area.width()), Twips::toPixels(area.height())};
}
