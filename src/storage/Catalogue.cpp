#include "Catalogue.h"

#include "CodePage.h"

#include <QFile>
#include <QFileInfo>

namespace {

SaveResult encodeNames(const QStringList &names, QByteArray &bytes)
{
    for (const QString &name : names) {
        if (name.contains(u'\r') || name.contains(u'\n'))
            return SaveResult::failure(
                QStringLiteral("The list name \"%1\" holds a line break.").arg(name));
        if (!CodePage::encode(name, bytes))
            return SaveResult::failure(
                QStringLiteral("The list name \"%1\" holds \"%2\", a character that the "
                               "catalogue cannot store.")
                    .arg(name, CodePage::firstUnencodable(name)));
        bytes += "\r\n";
    }
    return {};
}

} // namespace

Catalogue::Catalogue(const QString &filePath) : m_filePath(filePath) {}

bool Catalogue::exists() const
{
    return QFileInfo(m_filePath).isFile();
}

QStringList Catalogue::read(QString *error) const
{
    QFile file(m_filePath);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return {};
    }
    return parse(file.readAll());
}

QStringList Catalogue::parse(QByteArrayView bytes)
{
    // A catalogue edited by hand may end its lines with LF alone, and no list
    // name can hold a line break, so every CR LF, CR and LF ends a line.
    QString text = CodePage::decode(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    QStringList names = text.split(u'\n');
    // What follows the last line end is no line.
    if (names.constLast().isEmpty())
        names.removeLast();
    return names;
}

SaveResult Catalogue::append(const QString &name) const
{
    // The old lines are kept byte for byte; only the new one is added.
    QByteArray bytes;
    QFile file(m_filePath);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly))
            return SaveResult::failure(file.errorString());
        bytes = file.readAll();
        file.close();
        if (!bytes.isEmpty() && !bytes.endsWith('\r') && !bytes.endsWith('\n'))
            bytes += "\r\n";
    }
    if (SaveResult encoded = encodeNames({name}, bytes); !encoded)
        return encoded;
    return SaveFile::save(m_filePath, bytes);
}

SaveResult Catalogue::rewrite(const QStringList &names) const
{
    QByteArray bytes;
    if (SaveResult encoded = encodeNames(names, bytes); !encoded)
        return encoded;
    return SaveFile::save(m_filePath, bytes);
}
