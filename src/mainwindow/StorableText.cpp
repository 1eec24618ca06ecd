#include "StorableText.h"

#include "CodePage.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QToolTip>

namespace StorableText {

bool isStorable(const QString &text)
{
    return !text.contains(u'~') && CodePage::canEncode(text);
}

void refuse(QWidget *editor)
{
    QApplication::beep();
    QToolTip::showText(editor->mapToGlobal(QPoint(0, editor->height())),
                       QStringLiteral("A medication list cannot store \"~\" or this character."),
                       editor);
}

} // namespace StorableText

QValidator::State StorableTextValidator::validate(QString &input, int &) const
{
    if (StorableText::isStorable(input))
        return Acceptable;
    if (auto *editor = qobject_cast<QWidget *>(parent()))
        StorableText::refuse(editor);
    return Invalid;
}

void StorableTextEdit::keyPressEvent(QKeyEvent *event)
{
    if (!event->text().isEmpty() && event->text().at(0).isPrint() &&
        !StorableText::isStorable(event->text())) {
        StorableText::refuse(this);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void StorableTextEdit::inputMethodEvent(QInputMethodEvent *event)
{
    if (!StorableText::isStorable(event->commitString())) {
        StorableText::refuse(this);
        event->setCommitString(QString());
    }
    QPlainTextEdit::inputMethodEvent(event);
}

bool StorableTextEdit::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText();
}

void StorableTextEdit::insertFromMimeData(const QMimeData *source)
{
    if (!source->hasText())
        return;
    if (!StorableText::isStorable(source->text())) {
        StorableText::refuse(this);
        return;
    }
    insertPlainText(source->text());
}
