#pragma once

#include <QPlainTextEdit>
#include <QValidator>

// A list file cannot give back a "~" (it stands for a line break there) nor
// a character outside its code page, so the editors refuse them, typed or
// pasted, instead of letting a save fail or the file change them later.
namespace StorableText {

bool isStorable(const QString &text);
// The first character of text that a list file cannot store, whole (an
// emoji is two UTF-16 units), or an empty string.
QString firstUnstorable(const QString &text);
// Beeps and shows, beneath the editor for a few seconds, which character was
// refused. A tooltip would vanish as soon as the mouse moved.
void refuse(QWidget *editor, const QString &text);

} // namespace StorableText

class StorableTextValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &position) const override;
};

// A plain text editor that refuses what a list file cannot store. Its text
// keeps non-breaking spaces, which QPlainTextEdit::toPlainText() would turn
// into plain ones.
class StorableTextEdit : public QPlainTextEdit
{
public:
    using QPlainTextEdit::QPlainTextEdit;

    // The text with every line break as one LF, exactly as shown.
    QString shownText() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
};
