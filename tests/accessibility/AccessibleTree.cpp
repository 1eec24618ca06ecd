#include "AccessibleTree.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace {

// What is heard, and the states.
const QRegularExpression Line(QStringLiteral("^ *(.*?)(?: \\[([a-z,]+)\\])?$"));

} // namespace

AccessibleTree::AccessibleTree(const QWidget &window)
{
    QProcess dump;
    // The program answers the script's questions from its event loop.
    QEventLoop loop;
    QObject::connect(&dump, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&dump, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    // Debian's python has pyatspi; one earlier on PATH may not.
    const QString python =
        QFileInfo("/usr/bin/python3").isExecutable() ? "/usr/bin/python3" : "python3";
    dump.start(python, {PILLORA_ATSPI_DUMP_SCRIPT,
                        QString::number(QCoreApplication::applicationPid()), window.windowTitle()});
    loop.exec();
    if (dump.state() != QProcess::NotRunning) {
        dump.kill();
        dump.waitForFinished();
        m_failure = "The AT-SPI dump did not finish";
    } else if (dump.exitStatus() != QProcess::NormalExit || dump.exitCode() != 0) {
        m_failure =
            "The AT-SPI dump failed: " + QString::fromLocal8Bit(dump.readAllStandardError()) +
            dump.errorString();
    } else {
        m_lines = QString::fromUtf8(dump.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    }
}

bool AccessibleTree::contains(const QString &heard) const
{
    return std::any_of(m_lines.cbegin(), m_lines.cend(),
                       [&](const QString &line) { return Line.match(line).captured(1) == heard; });
}

QString AccessibleTree::focusProblem(int atLeast) const
{
    int focusable = 0;
    QStringList unnamed;
    for (const QString &line : m_lines) {
        const QStringList states = Line.match(line).captured(2).split(u',');
        if (!states.contains(QStringLiteral("focusable")))
            continue;
        ++focusable;
        if (states.contains(QStringLiteral("unnamed")))
            unnamed << line;
    }
    if (!unnamed.isEmpty())
        return "Unnamed:\n" + unnamed.join(u'\n');
    return focusable < atLeast ? text() : QString();
}

QString AccessibleTree::text() const
{
    return (QStringList{m_failure} + m_lines).join(u'\n');
}
