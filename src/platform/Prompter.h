#pragma once

#include <QString>
#include <QStringList>

// Every question and message to the user goes through here, so that each
// flow can be driven by scripted answers in tests.
class Prompter
{
public:
    // The answer Enter gives to a Yes/No question. Esc always gives No.
    enum class DefaultAnswer
    {
        Yes,
        No
    };

    virtual ~Prompter() = default;

    // A question with the question icon and Yes and No only; true for Yes.
    virtual bool askYesNo(const QString &text, const QString &title,
                          DefaultAnswer defaultAnswer) = 0;
    // A question with the question icon, a button for each of answers, in
    // this order, and Cancel, which is the default and what Esc gives. The
    // index of the answer chosen, or -1 for Cancel.
    virtual int askOrCancel(const QString &text, const QString &title,
                            const QStringList &answers) = 0;
    // Information with an OK button.
    virtual void inform(const QString &text, const QString &title) = 0;
    // A failure the user must know of, with an OK button.
    virtual void warn(const QString &text, const QString &title) = 0;
    // A plain message with an OK button and no icon.
    virtual void tell(const QString &text, const QString &title) = 0;
    // An input box with OK and Cancel, holding text to begin with; Cancel
    // gives the empty string.
    virtual QString askText(const QString &prompt, const QString &title, const QString &text) = 0;
    // A dialog to choose where a new file goes, offering suggestedPath;
    // filter is a name filter such as "PDF files (*.pdf)". Cancel gives the
    // empty string.
    virtual QString askSaveFileName(const QString &title, const QString &suggestedPath,
                                    const QString &filter) = 0;
};
