#pragma once

#include <QWidget>

class QTextBrowser;

// The help pages that are built into the program, for a desktop where
// nothing opens the compiled help: a window of their own beside the main
// window, whose links lead from page to page. Alt+Left goes back, Esc closes.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    // The first page of the help.
    static const QUrl Home;

    // Creates the window at first use, owned by owner and centred over it;
    // an open one is brought to the front as it is.
    static HelpWindow *open(QWidget &owner);

    explicit HelpWindow(QWidget &owner);

    QTextBrowser *browser() const { return m_browser; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QTextBrowser *m_browser;
};
