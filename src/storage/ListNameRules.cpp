#include "ListNameRules.h"

#include "CodePage.h"
#include "DataFolder.h"

#include <algorithm>

namespace ListNameRules {

namespace {

// Most file systems here allow 255 bytes for a file's name.
constexpr qsizetype MaxFileNameBytes = 255;

bool holdsForbiddenCharacter(const QString &name)
{
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    return std::any_of(name.begin(), name.end(), [](QChar c) {
        return c.unicode() < 0x20 || c.unicode() == 0x7f || forbidden.contains(c);
    });
}

} // namespace

QString refusalForNewName(const QString &name, const QStringList &existingNames)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("A list name needs more than spaces.");
    if (holdsForbiddenCharacter(name))
        return QStringLiteral("A list name cannot hold any of these characters:\n"
                              "\\ / : * ? \" < > |");
    if (name.endsWith(u' ') || name.endsWith(u'.'))
        return QStringLiteral("A list name cannot end in a space or a dot.");
    if (!CodePage::canEncode(name))
        return QStringLiteral("A list name cannot hold \"%1\".")
            .arg(CodePage::firstUnencodable(name));
    if ((name + QStringLiteral(".dat")).toUtf8().size() > MaxFileNameBytes)
        return QStringLiteral("That list name is too long.");
    // Whatever else keeps a name from having a file of its own in the folder.
    if (const QString refusal = DataFolder::refusalFor(name); !refusal.isEmpty())
        return refusal;
    if (existingNames.contains(name, Qt::CaseInsensitive))
        return QStringLiteral("There is already a list named \"%1\".").arg(name);
    return {};
}

} // namespace ListNameRules
