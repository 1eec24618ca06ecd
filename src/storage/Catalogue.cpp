#include "Catalogue.h"

#include "CodePage.h"
#include "RegularFile.h"

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

std::optional<QByteArray> Catalogue::readBytes(QString *error) const
{
    QFile file;
    const RegularFile::OpenResult opened = RegularFile::openForReading(m_filePath, file);
    switch (opened.status) {
    case RegularFile::Status::Missing:
        return QByteArray();
    case RegularFile::Status::Opened:
        break;
    case RegularFile::Status::NotAFile:
    case RegularFile::Status::Failed:
        if (error)
            *error = opened.error;
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    return bytes;
}

std::optional<QStringList> Catalogue::read(QString *error) const
{
    const std::optional<QByteArray> bytes = readBytes(error);
    if (!bytes)
        return std::nullopt;
    return parse(*bytes);
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
    QString error;
    std::optional<QByteArray> bytes = readBytes(&error);
    if (!bytes)
        return SaveResult::failure(error);
    if (!bytes->isEmpty() && !bytes->endsWith('\r') && !bytes->endsWith('\n'))
        *bytes += "\r\n";
    if (SaveResult encoded = encodeNames({name}, *bytes); !encoded)
        return encoded;
    return SaveFile::save(m_filePath, *bytes);
}

SaveResult Catalogue::remove(const QString &name, int ordinal) const
{
    QString error;
    std::optional<QStringList> names = read(&error);
    if (!names)
        return SaveResult::failure(error);
    int last = -1;
    int seen = 0;
    for (int i = 0; i < names->size(); ++i) {
        if (names->at(i) != name)
            continue;
        last = i;
        if (seen++ == ordinal)
            break;
    }
    if (last < 0)
        return {};
    names->removeAt(last);
    QByteArray bytes;
    if (SaveResult encoded = encodeNames(*names, bytes); !encoded)
        return encoded;
    return SaveFile::save(m_filePath, bytes);
}
