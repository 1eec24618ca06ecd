#pragma once

#include <QString>

// Every question and message to the user goes through here, so that each
// flow can be driven by scripted answers in tests.
class Prompter
{
public:
    virtual ~Prompter() = default;

    // A question with the question icon and Yes and No only; true for Yes.
    virtual bool askYesNo(const QString &text, const QString &title) = 0;
    // Information with an OK button.
    virtual void inform(const QString &text, const QString &title) = 0;
    // A failure the user must know of, with an OK button.
    virtual void warn(const QString &text, const QString &title) = 0;
    // A plain message with an OK button and no icon.
    virtual void tell(const QString &text, const QString &title) = 0;
    // An input box with OK and Cancel; Cancel gives the empty string.
    virtual QString askText(const QString &prompt, const QString &title) = 0;
    // A dialog to choose where a new file goes, offering suggestedPath;
    // filter is a name filter such as "PDF files (*.pdf)". Cancel gives the
    // empty string.
    virtual QString askSaveFileName(const QString &title, const QString &suggestedPath,
                                    const QString &filter) = 0;
};
