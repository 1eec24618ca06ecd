#pragma once

#include <QDialog>

#include <array>

class AddressOpener;
class Prompter;
class QFrame;
class QLabel;
class QPushButton;
class QUrl;

// The About box: product name, version, maker, and links to the maker's web
// site and support address. It has no default and no cancel button, so only
// "&Ok", its close box or a link that opened closes it. The focus starts on
// "&Ok"; Tab reaches the links, which Enter or Space opens.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    // What the main window's "&About" does: shows the box over every window
    // of the program, the calendar included, until it is closed.
    static void showModal(QWidget &owner, AddressOpener &opener, Prompter &prompter);

    frmAbout(QWidget *owner, AddressOpener &opener, Prompter &prompter);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createControls();
    void load();
    void onLabelClick(int index);
    void openLink(const QUrl &target, const QString &failure);

    AddressOpener &m_opener;
    Prompter &m_prompter;
    QFrame *Picture1 = nullptr;
    QLabel *Labe1 = nullptr;
    // Indexed 1 to 4: version, maker, web site, e-mail.
    std::array<QLabel *, 5> Label1{};
    QPushButton *Command1 = nullptr;
};
