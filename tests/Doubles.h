#pragma once

#include "AddressOpener.h"
#include "Clock.h"
#include "FileAssociations.h"
#include "Prompter.h"

#include <QTest>

#include <functional>
#include <variant>

// The day the tests run on.
inline const QDate Today(2026, 12, 1);

class TestClock : public Clock
{
public:
    QDate date = Today;
    QDate today() const override { return date; }
};

// The button a question with named answers is answered with, by its text;
// "Cancel" for Cancel.
struct Choice
{
    QString answer;
};

// Logs every question and message as "<kind> <title>: <text>" and answers from
// a queue; a question nobody queued an answer for fails the test, and so do
// answers still queued when the prompter goes. A Yes/No
// question whose default is No is logged with " [default No]" after it, one
// with named answers with its buttons: " [Keep both|Replace|Cancel]", an
// input box holding text with that text: " [Tom/Jerry]".
class ScriptedPrompter : public Prompter
{
public:
    QStringList log;
    QList<std::variant<bool, QString, Choice>> answers;
    // Called as each question is asked, to look at the window behind it.
    std::function<void()> whileAsking;

    ~ScriptedPrompter() override
    {
        if (!answers.isEmpty() && !QTest::currentTestFailed() && QTest::currentTestFunction())
            QTest::qFail(qPrintable(QStringLiteral("%1 answers left unused; asked: %2")
                                        .arg(answers.size())
                                        .arg(log.join(u'\n'))),
                         __FILE__, __LINE__);
    }

    bool askYesNo(const QString &text, const QString &title, DefaultAnswer preselected) override
    {
        const QString marker = preselected == DefaultAnswer::No ? " [default No]" : "";
        return next<bool>("ask " + title + ": " + text + marker);
    }
    int askOrCancel(const QString &text, const QString &title, const QStringList &offered) override
    {
        const QStringList buttons = offered + QStringList{"Cancel"};
        const Choice choice =
            next<Choice>("choose " + title + ": " + text + " [" + buttons.join(u'|') + "]");
        const int index = int(offered.indexOf(choice.answer));
        if (index < 0 && !choice.answer.isEmpty() && choice.answer != u"Cancel")
            QTest::qFail(qPrintable("No button " + choice.answer), __FILE__, __LINE__);
        return index;
    }
    QString askText(const QString &text, const QString &title, const QString &typed) override
    {
        const QString shown = typed.isEmpty() ? "" : " [" + typed + "]";
        return next<QString>("input " + title + ": " + text + shown);
    }
    QString askSaveFileName(const QString &title, const QString &path, const QString &) override
    {
        return next<QString>("save " + title + ": " + path);
    }
    void inform(const QString &text, const QString &title) override { note("inform", title, text); }
    void warn(const QString &text, const QString &title) override { note("warn", title, text); }
    void tell(const QString &text, const QString &title) override { note("tell", title, text); }

private:
    void note(const char *kind, const QString &title, const QString &text)
    {
        log << QString::fromLatin1(kind) + " " + title + ": " + text;
    }
    template <typename T> T next(const QString &question)
    {
        log << question;
        if (whileAsking)
            whileAsking();
        if (!answers.isEmpty() && std::holds_alternative<T>(answers.first()))
            return std::get<T>(answers.takeFirst());
        QTest::qFail(qPrintable("Unexpected question: " + question), __FILE__, __LINE__);
        return T{};
    }
};

class RecordingAddressOpener : public AddressOpener
{
public:
    bool succeeds = true;
    QList<QUrl> opened;
    bool open(const QUrl &address) override
    {
        opened << address;
        return succeeds;
    }
};

class TestFileAssociations : public FileAssociations
{
public:
    bool viewer = true;
    bool hasApplicationFor(const QString &) const override { return viewer; }
};
