#include "AccessibleTree.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <QWidget>

#include <algorithm>

QString AccessibleNode::line() const
{
    QString shown = QString(depth * 2, u' ') + role + " \"" + name + u'"';
    if (!label.isEmpty())
        shown += " labelled \"" + label + u'"';
    if (!description.isEmpty())
        shown += " (" + description + u')';
    if (!states.isEmpty())
        shown += " [" + states.join(u',') + u']';
    return shown;
}

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
    }
    if (!m_failure.isEmpty())
        return;
    for (const QString &line : QString::fromUtf8(dump.readAllStandardOutput()).split(u'\n')) {
        const QStringList fields = line.split(u'\t');
        if (fields.size() == 6)
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
    std::copy_if(m_nodes.cbegin(), m_nodes.cend(), std::back_inserter(unnamed),
                 [](const AccessibleNode &node) { return node.takesFocus() && !node.named(); });
    return unnamed;
}

QString AccessibleTree::text() const
{
    QStringList lines{m_failure};
    for (const AccessibleNode &node : m_nodes)
        lines << node.line();
    return lines.join(u'\n');
}
