#include "frmAbout.h"

#include "AddressOpener.h"
#include "LinkLabel.h"
#include "ProgramInfo.h"
#include "Prompter.h"
#include "Twips.h"
#include "Typefaces.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

namespace {

constexpr int ClientWidth = 4470;
constexpr int ClientHeight = 2310;
constexpr int VersionLabel = 1;
constexpr int WebSiteLabel = 3;
constexpr int MailLabel = 4;

const QColor BandColor(5, 83, 124);
const QColor Yellow(255, 255, 0);
const QColor LinkColor(0, 0, 255);

QLabel *makeLabel(QWidget *parent, const QString &text, const QString &name, const QFont &font)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setFont(font);
    return label;
}

// The band keeps its colours in every palette: both are legible on it.
QLabel *makeBandLabel(QWidget *band, const QString &text, const QString &name, const QFont &font,
                      const QColor &color)
{
    QLabel *label = makeLabel(band, text, name, font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

LinkLabel *makeLink(QWidget *parent, const QString &text, const QString &name, const QUrl &target)
{
    auto *link = new LinkLabel(text, LinkColor, parent);
    link->setObjectName(name);
    link->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    link->setFont(Typefaces::designFont("MS Sans Serif", 8.25));
    link->setAccessibleDescription(target.toString());
    return link;
}

} // namespace

void frmAbout::showModal(QWidget &owner, AddressOpener &opener, Prompter &prompter)
{
    frmAbout about(&owner, opener, prompter);
    about.exec();
}

frmAbout::frmAbout(QWidget *owner, AddressOpener &opener, Prompter &prompter)
    : QDialog(owner), m_opener(opener), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(QStringLiteral("About"));
    setFont(Typefaces::designFont("MS Sans Serif", 8.25));
    setFixedSize(Twips::toPixels(ClientWidth), Twips::toPixels(ClientHeight));
    createControls();
    if (const QScreen *screen = owner ? owner->screen() : this->screen())
        move(screen->availableGeometry().center() - rect().center());
    load();
}

void frmAbout::createControls()
{
    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAutoFillBackground(true);
    QPalette band = Picture1->palette();
    band.setColor(QPalette::Window, BandColor);
    Picture1->setPalette(band);
    // Only a picture: the focus starts on "&Ok", so Enter closes the box.
    Picture1->setFocusPolicy(Qt::NoFocus);
    Picture1->setGeometry(Twips::toPixels({0, 0, 4455, 975}));

    Labe1 = makeBandLabel(Picture1, ProgramInfo::title(), QStringLiteral("Labe1_0"),
                          Typefaces::designFont("Calligrapher", 14.25, true), Qt::white);
    Labe1->setGeometry(Twips::toPixels({120, 120, 4215, 375}));
    Label1[VersionLabel] = makeBandLabel(Picture1, QString(), QStringLiteral("Label1_1"),
                                         Typefaces::designFont("MS Sans Serif", 8.25), Yellow);
    Label1[VersionLabel]->setGeometry(Twips::toPixels({720, 600, 3255, 255}));
    Label1[2] = makeLabel(this, QStringLiteral("Corvane software"), QStringLiteral("Label1_2"),
                          Typefaces::designFont("MS Sans Serif", 9.75));
    Label1[2]->setGeometry(Twips::toPixels({120, 1200, 4215, 255}));

    LinkLabel *webSite = makeLink(this, QStringLiteral("Visit our web site"),
                                  QStringLiteral("Label1_3"), ProgramInfo::webSite());
    webSite->setGeometry(Twips::toPixels({1560, 1560, 1335, 255}));
    connect(webSite, &LinkLabel::activated, this, [this] { onLabelClick(WebSiteLabel); });
    Label1[WebSiteLabel] = webSite;
    LinkLabel *mail = makeLink(this, QStringLiteral("Contact us"), QStringLiteral("Label1_4"),
                               QUrl(QStringLiteral("mailto:") + ProgramInfo::supportMailAddress()));
    mail->setGeometry(Twips::toPixels({1800, 1920, 855, 255}));
    connect(mail, &LinkLabel::activated, this, [this] { onLabelClick(MailLabel); });
    Label1[MailLabel] = mail;

    Command1 = new QPushButton(QStringLiteral("&Ok"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);
    Command1->setGeometry(Twips::toPixels({3360, 1800, 975, 375}));
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);

    QWidget::setTabOrder(Command1, webSite);
    QWidget::setTabOrder(webSite, mail);
    Command1->setFocus();
}

void frmAbout::load()
{
    Label1[VersionLabel]->setText(QStringLiteral("Version %1.%2.%3")
                                      .arg(ProgramInfo::versionMajor())
                                      .arg(ProgramInfo::versionMinor())
                                      .arg(ProgramInfo::versionRevision()));
}

void frmAbout::onLabelClick(int index)
{
    if (index == WebSiteLabel)
        openLink(ProgramInfo::webSite(),
                 QStringLiteral("Unable to connect.  Please try again later."));
    else if (index == MailLabel)
        openLink(QUrl(QStringLiteral("mailto:") + ProgramInfo::supportMailAddress()),
                 QStringLiteral("Problem encountered opening your default email program."));
}

void frmAbout::openLink(const QUrl &target, const QString &failure)
{
    if (m_opener.open(target))
        accept();
    else
        m_prompter.tell(failure, QStringLiteral("Error"));
}

void frmAbout::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        // No cancel button: Escape leaves the box open.
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // No default button: Enter acts only on "&Ok" itself, and a link
        // takes its own.
        if (Command1->hasFocus())
            Command1->click();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
