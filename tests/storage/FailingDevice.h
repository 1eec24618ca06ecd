#pragma once

#include <QIODevice>

#include <algorithm>
#include <cstring>

// A device that fails once a number of bytes have gone through it, as a
// disk that fills up or a drive that gives read errors does. It reads from
// the bytes it is given and writes on to another device.
class FailingDevice : public QIODevice
{
public:
    FailingDevice(qint64 failAfter, QByteArray source) : m_failAfter(failAfter), m_source(source)
    {
        open(QIODevice::ReadOnly);
    }
    FailingDevice(qint64 failAfter, QIODevice &target) : m_failAfter(failAfter), m_target(&target)
    {
        open(QIODevice::WriteOnly);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_done >= m_failAfter && m_done < m_source.size())
            return fail(QStringLiteral("Input/output error"));
        const qint64 size = std::min({maxSize, m_failAfter - m_done, m_source.size() - m_done});
        std::memcpy(data, m_source.constData() + m_done, size_t(size));
        m_done += size;
        return size;
    }
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 room = std::min(size, m_failAfter - m_done);
        if (room > 0)
            m_done += m_target->write(data, room);
        if (room < size)
            return fail(QStringLiteral("No space left on device"));
        return size;
    }

private:
    qint64 fail(const QString &reason)
    {
        setErrorString(reason);
        return -1;
    }

    qint64 m_failAfter;
    qint64 m_done = 0;
    QByteArray m_source;
    QIODevice *m_target = nullptr;
};
