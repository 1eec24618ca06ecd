#include "DataFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {
const QString CatalogueFileName = QStringLiteral("MedLists.dat");
const QString InstanceLockFileName = QStringLiteral("Pillora.lock");
const QString ListFileSuffix = QStringLiteral(".dat");
} // namespace

const QStringList &DataFolder::reservedFileNames()
{
    static const QStringList names{CatalogueFileName, InstanceLockFileName};
    return names;
}

DataFolder::DataFolder(const QString &programFolder)
    : m_path(QDir(programFolder).filePath(QStringLiteral("MedFiles")))
{}

QString DataFolder::cataloguePath() const
{
    return QDir(m_path).filePath(CatalogueFileName);
}

QString DataFolder::instanceLockPath() const
{
    return QDir(m_path).filePath(InstanceLockFileName);
}

bool DataFolder::EnsureDataFolder(QString *error) const
{
    const QFileInfo info(m_path);
    if (info.isDir())
        return true;
    if (info.exists()) {
        if (error)
            *error = QStringLiteral("%1 exists but is not a folder.")
                         .arg(QDir::toNativeSeparators(m_path));
        return false;
    }
    if (QDir().mkpath(m_path))
        return true;
    if (error)
        *error = QStringLiteral("The folder %1 could not be created.")
                     .arg(QDir::toNativeSeparators(m_path));
    return false;
}

QString DataFolder::refusalFor(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("No list name was given.");
    if (name == u"." || name == u"..")
        return QStringLiteral("\"%1\" cannot name a list.").arg(name);
    if (name.contains(u'/') || name.contains(u'\\'))
        return QStringLiteral("A list name cannot hold \"/\" or \"\\\".");
    const bool control = std::any_of(name.begin(), name.end(),
                                     [](QChar c) { return c.category() == QChar::Other_Control; });
    if (control)
        return QStringLiteral("A list name cannot hold control characters.");
    if (reservedFileNames().contains(name + ListFileSuffix, Qt::CaseInsensitive))
        return QStringLiteral("\"%1\" cannot name a list: the program keeps a file of that "
                              "name for itself.")
            .arg(name);
    return {};
}

std::optional<QString> DataFolder::listFilePath(const QString &name, QString *refusal) const
{
    const QString reason = refusalFor(name);
    if (!reason.isEmpty()) {
        if (refusal)
            *refusal = reason;
        return std::nullopt;
    }
    return QDir(m_path).filePath(name + ListFileSuffix);
}

bool DataFolder::isLeftoverOfSave(const QString &fileName)
{
    static const QRegularExpression pattern(QStringLiteral("^.+\\.dat\\.([A-Za-z]{6})$"));
    const QRegularExpressionMatch match = pattern.match(fileName);
    if (!match.hasMatch())
        return false;
    const QString letters = match.captured(1);
    const auto isLower = [](QChar c) { return c.isLower(); };
    const auto isUpper = [](QChar c) { return c.isUpper(); };
    return std::any_of(letters.begin(), letters.end(), isLower) &&
           std::any_of(letters.begin() + 1, letters.end(), isUpper);
}
