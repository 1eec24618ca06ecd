#pragma once

#include <QIODevice>

#include <algorithm>

// A device that fails once a number of bytes have been written through it
// to another device, as a disk that fills up does.
class FailingDevice : public QIODevice
{
public:
    FailingDevice(qint64 failAfter, QIODevice &target) : m_failAfter(failAfter), m_target(&target)
    {
        open(QIODevice::WriteOnly);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 room = std::min(size, m_failAfter - m_done);
        const qint64 written = room > 0 ? m_target->write(data, room) : 0;
        if (written < 0)
            return fail(m_target->errorString());
        m_done += written;
        return written < size ? fail(QStringLiteral("No space left on device")) : size;
    }

private:
    qint64 fail(const QString &reason)
    {
        setErrorString(reason);
        return -1;
    }

    qint64 m_failAfter;
    qint64 m_done = 0;
    QIODevice *m_target = nullptr;
};
