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
    // An input box with OK and Cancel; Cancel gives the empty string.
    virtual QString askText(const QString &prompt, const QString &title) = 0;
};
