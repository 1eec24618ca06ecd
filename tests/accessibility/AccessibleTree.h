#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// One object of an accessible tree as AT-SPI gives it to a screen reader.
struct AccessibleNode
{
    int depth = 0;
    QString role; // AT-SPI's role name: "push button", "table cell"
    QString name;
    QString description;
    QStringList states; // of "focusable", "focused", "disabled"
    QString label;      // the names of the objects it is labelled by

    bool takesFocus() const { return states.contains(QStringLiteral("focusable")); }
    // Without a name (a combo box with nothing chosen) it is announced by
    // its label.
    bool named() const { return !name.trimmed().isEmpty() || !label.trimmed().isEmpty(); }
    // "  push button "Ok" [focusable]", for messages.
    QString line() const;
};

// The accessible tree of a shown window of this process, read back through
// AT-SPI as a screen reader would. Needs the test's AtSpiSession.
class AccessibleTree
{
public:
    explicit AccessibleTree(const QWidget &window);

    // Empty where the dump failed; text() then tells why.
    const QList<AccessibleNode> &nodes() const { return m_nodes; }
    // Whether an object of that role has that name or label, and that
    // description.
    bool contains(const QString &role, const QString &name, const QString &description = {}) const;
    QList<AccessibleNode> unnamedFocusable() const;
    QString text() const;

private:
    QList<AccessibleNode> m_nodes;
    QString m_failure;
};
