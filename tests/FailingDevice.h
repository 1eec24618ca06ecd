#pragma once

#include <QIODevice>

#include <algorithm>
#include <limits>
#include <optional>

// A device that takes or gives its first failAfter bytes and then fails, as
// a full disk or a medium pulled out does, with Reason as its errorString().
// Reading gives content, followed by endless filler when that is set.
class FailingDevice : public QIODevice
{
public:
    static constexpr qint64 Never = std::numeric_limits<qint64>::max();
    static inline const QString Reason = QStringLiteral("The medium failed");

    explicit FailingDevice(qint64 failAfter, const QByteArray &content = {},
                           std::optional<char> filler = std::nullopt)
        : m_failAfter(failAfter), m_content(content), m_filler(filler)
    {
        // Unbuffered, so that what it counts is what its user asked for.
        open(QIODevice::ReadWrite | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return true; }

    // What was written before writing failed.
    QByteArray written;
    qint64 bytesRead() const { return m_read; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_read >= m_failAfter)
            return fail();
        qint64 count = std::min(maxSize, m_failAfter - m_read);
        const qint64 fromContent = std::clamp<qint64>(m_content.size() - m_read, 0, count);
        if (fromContent > 0)
            std::copy_n(m_content.constData() + m_read, fromContent, data);
        if (m_filler)
            std::fill_n(data + fromContent, count - fromContent, *m_filler);
        else
            count = fromContent;
        m_read += count;
        return count;
    }
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 room = m_failAfter - written.size();
        written.append(data, std::min(size, room));
        return size > room ? fail() : size;
    }

private:
    qint64 fail()
    {
        setErrorString(Reason);
        return -1;
    }

    const qint64 m_failAfter;
    const QByteArray m_content;
    const std::optional<char> m_filler;
    qint64 m_read = 0;
};
