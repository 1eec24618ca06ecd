#pragma once

#include "AddressOpener.h"
#include "Clock.h"
#include "Prompter.h"

#include <QStringList>
#include <QTest>
#include <QUrl>

#include <variant>

// Answers questions from a queue the test fills beforehand and logs every
// question and message as "<kind> <title>: <text>". A question nobody queued
// an answer for fails the test instead of waiting for a person.
class ScriptedPrompter : public Prompter
{
public:
    QStringList log;
    void answer(const std::variant<bool, QString> &next) { m_answers.append(next); }

    bool askYesNo(const QString &text, const QString &title) override
    {
        return next<bool>("ask " + title + ": " + text);
    }
    QString askText(const QString &prompt, const QString &title) override
    {
        return next<QString>("input " + title + ": " + prompt);
    }
    void inform(const QString &text, const QString &title) override
    {
        log << "inform " + title + ": " + text;
    }
    void warn(const QString &text, const QString &title) override
    {
        log << "warn " + title + ": " + text;
    }

private:
    template <typename T> T next(const QString &question)
    {
        log << question;
        if (m_answers.isEmpty() || !std::holds_alternative<T>(m_answers.first())) {
            QTest::qFail(qPrintable("Unexpected question: " + question), __FILE__, __LINE__);
            return T{};
        }
        return std::get<T>(m_answers.takeFirst());
    }

    QList<std::variant<bool, QString>> m_answers;
};

class RecordingAddressOpener : public AddressOpener
{
public:
    QList<QUrl> opened;
    bool open(const QUrl &address) override
    {
        opened << address;
        return true;
    }
};

// A fixed today that counts the runs of the refill highlighting, which asks
// for today once a run.
class CountingClock : public Clock
{
public:
    mutable int calls = 0;
    QDate today() const override
    {
        ++calls;
        return QDate(2026, 12, 1);
    }
};
