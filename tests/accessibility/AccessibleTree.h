#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The accessible tree of a shown window of this process, read back through
// AT-SPI as a screen reader would, an object a line:
// "table cell: Monday 7 December 2026, today [focusable]". Needs the test's
// AtSpiSession.
class AccessibleTree
{
public:
    explicit AccessibleTree(const QWidget &window);

    // Whether an object is heard as "role: name (description)".
    bool contains(const QString &heard) const;
    // Empty where at least that many objects take the focus and each of them
    // has a name; else the unnamed ones, or the whole tree.
    QString focusProblem(int atLeast) const;
    QString text() const;

private:
    QStringList m_lines;
    QString m_failure;
};
