#include "XdgFileAssociations.h"

#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

namespace {

constexpr int AnswerTimeoutMs = 5000;

QString defaultApplication(const QString &xdgMime, const QString &mimeType)
{
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForFinished(AnswerTimeoutMs)) {
        query.kill();
        query.waitForFinished();
        return {};
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

} // namespace

bool XdgFileAssociations::hasApplicationFor(const QString &filePath) const
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return false;
    const QMimeType type = QMimeDatabase().mimeTypeForFile(filePath);
    if (!type.isValid() || type.isDefault())
        return false;
    // Viewers often register only an older name of the type, and xdg-mime
    // outside a full desktop does not resolve aliases itself.
    QStringList names{type.name()};
    names += type.aliases();
    for (const QString &name : std::as_const(names)) {
        if (!defaultApplication(xdgMime, name).isEmpty())
            return true;
    }
    return false;
}
