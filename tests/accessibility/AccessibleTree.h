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
    // A screen reader announces an object by its name or, where it has
    // none (a combo box with nothing chosen), by its label.
    bool named() const { return !name.trimmed().isEmpty() || !label.trimmed().isEmpty(); }
    // "  push button "Ok" [focusable]", for messages.
    QString line() const;
};

// The accessible tree of a shown top-level window of this program, read
// back through AT-SPI by the dump script, as a screen reader would read it.
// Needs the AtSpiSession of the test's main(). Use:
//     const AccessibleTree tree(window);
//     QVERIFY2(tree.contains("link", "Contact us"), qPrintable(tree.text()));
class AccessibleTree
{
public:
    explicit AccessibleTree(const QWidget &window);

    // Empty where the dump failed; text() then tells why.
    const QList<AccessibleNode> &nodes() const { return m_nodes; }
    // Whether an object of that role has that name, or that label, and
    // that description.
    bool contains(const QString &role, const QString &name,
                  const QString &description = QString()) const;
    // The objects that take the focus but have neither name nor label.
    QList<AccessibleNode> unnamedFocusable() const;
    QString text() const;

private:
    QList<AccessibleNode> m_nodes;
    QString m_failure;
};
