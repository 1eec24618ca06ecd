#pragma once

#include <QApplication>
#include <QKeySequence>
#include <QTest>

// Keys sent to whatever has the focus, as a person without a mouse sends
// them: a key as QKeySequence writes it ("Ctrl+S", "Shift+Tab", "F2"), or
// text after a quote ("'10 mg"), typed one character at a time, wherever
// each character sends the focus.
inline void play(const QStringList &steps)
{
    for (const QString &step : steps) {
        if (step.startsWith(u'\'')) {
            for (QChar c : step.mid(1))
                QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown,
                                    QString(c), {});
            continue;
        }
        const QKeyCombination key = QKeySequence(step)[0];
        QVERIFY2(key.key() != Qt::Key_unknown, qPrintable(step));
        // The window system sends Shift+Tab as Backtab.
        const bool backtab =
            key.key() == Qt::Key_Tab && key.keyboardModifiers() & Qt::ShiftModifier;
        QTest::keyClick(QApplication::focusWidget(), backtab ? Qt::Key_Backtab : key.key(),
                        key.keyboardModifiers());
    }
}

// "Tab F2 '10 mg" as steps: words apart, a quote's text up to the next space.
inline QStringList keys(const char *line)
{
    return QString::fromLatin1(line).split(u' ', Qt::SkipEmptyParts);
}

inline QString focusName()
{
    const QWidget *focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QStringLiteral("<none>");
}
