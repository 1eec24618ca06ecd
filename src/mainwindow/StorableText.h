#pragma once

#include <QPlainTextEdit>
#include <QValidator>

// A list file cannot give back a "~" (it stands for a line break there) nor
// a character outside its code page, so the editors refuse them, typed or
// pasted, instead of letting the file change them later.
namespace StorableText {

bool isStorable(const QString &text);
// Beeps and says, beside the editor, why the input was refused.
void refuse(QWidget *editor);

} // namespace StorableText

class StorableTextValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &position) const override;
};

// A plain text editor that refuses what a list file cannot store.
class StorableTextEdit : public QPlainTextEdit
{
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
};
