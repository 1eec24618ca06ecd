#include "AccessibleTree.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace {

constexpr int DumpTimeoutMs = 120000;

// Debian's python has pyatspi; one earlier on PATH may not.
QString python()
{
    const QString system = QStringLiteral("/usr/bin/python3");
    return QFileInfo(system).isExecutable() ? system : QStringLiteral("python3");
}

} // namespace

QString AccessibleNode::line() const
{
    QString shown = QString(depth * 2, u' ') + role + QStringLiteral(" \"") + name + u'"';
    if (!label.isEmpty())
        shown += QStringLiteral(" labelled \"") + label + u'"';
    if (!description.isEmpty())
        shown += QStringLiteral(" (") + description + u')';
    if (!states.isEmpty())
        shown += QStringLiteral(" [") + states.join(u',') + u']';
    return shown;
}

AccessibleTree::AccessibleTree(const QWidget &window)
{
    QProcess dump;
    // The program answers the script's questions from its event loop, so
    // the script runs beside a loop that dispatches each one at once.
    QEventLoop loop;
    QObject::connect(&dump, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&dump, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(DumpTimeoutMs, &loop, &QEventLoop::quit);
    dump.start(python(),
               {QStringLiteral(PILLORA_ATSPI_DUMP_SCRIPT),
                QString::number(QCoreApplication::applicationPid()), window.windowTitle()});
    loop.exec();
    if (dump.state() != QProcess::NotRunning) {
        dump.kill();
        dump.waitForFinished();
        m_failure = QStringLiteral("The AT-SPI dump did not finish");
        return;
    }
    if (dump.exitStatus() != QProcess::NormalExit || dump.exitCode() != 0) {
        m_failure = QStringLiteral("The AT-SPI dump failed: ") +
                    QString::fromLocal8Bit(dump.readAllStandardError()) + dump.errorString();
        return;
    }
    const QStringList lines =
        QString::fromUtf8(dump.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const QStringList fields = line.split(u'\t');
        if (fields.size() != 6)
            continue;
        m_nodes.append({fields[0].toInt(), fields[1], fields[2], fields[3],
                        fields[4].split(u',', Qt::SkipEmptyParts), fields[5]});
    }
}

bool AccessibleTree::contains(const QString &role, const QString &name,
                              const QString &description) const
{
    return std::any_of(m_nodes.cbegin(), m_nodes.cend(), [&](const AccessibleNode &node) {
        return node.role == role && (node.name == name || node.label == name) &&
               node.description == description;
    });
}

QList<AccessibleNode> AccessibleTree::unnamedFocusable() const
{
    QList<AccessibleNode> unnamed;
    for (const AccessibleNode &node : m_nodes) {
        if (node.takesFocus() && !node.named())
            unnamed << node;
    }
    return unnamed;
}

QString AccessibleTree::text() const
{
    if (!m_failure.isEmpty())
        return m_failure;
    QStringList lines;
    for (const AccessibleNode &node : m_nodes)
        lines << node.line();
    return lines.join(u'\n');
}
