#include "StorableText.h"

#include "CodePage.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>

namespace StorableText {

namespace {

constexpr int HintMilliseconds = 4000;

bool typesText(const QString &text)
{
    return !text.isEmpty() && std::none_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() < 0x20 || c.unicode() == 0x7f;
    });
}

QLabel *hintLabel(QWidget *window)
{
    auto *hint =
        window->findChild<QLabel *>(QStringLiteral("refusalHint"), Qt::FindDirectChildrenOnly);
    if (hint)
        return hint;
    hint = new QLabel(window);
    hint->setObjectName(QStringLiteral("refusalHint"));
    hint->setFrameShape(QFrame::Box);
    hint->setAutoFillBackground(true);
    hint->setBackgroundRole(QPalette::ToolTipBase);
    hint->setForegroundRole(QPalette::ToolTipText);
    hint->setMargin(3);
    auto *timer = new QTimer(hint);
    timer->setObjectName(QStringLiteral("refusalHintTimer"));
    timer->setSingleShot(true);
    timer->setInterval(HintMilliseconds);
    QObject::connect(timer, &QTimer::timeout, hint, &QWidget::hide);
    return hint;
}

} // namespace

bool isStorable(const QString &text)
{
    return !text.contains(u'~') && CodePage::canEncode(text);
}

QString firstUnstorable(const QString &text)
{
    if (const qsizetype tilde = text.indexOf(u'~');
        tilde >= 0 && (CodePage::canEncode(text.left(tilde))))
        return QStringLiteral("~");
    return CodePage::firstUnencodable(text);
}

void refuse(QWidget *editor, const QString &text)
{
    QApplication::beep();
    QWidget *window = editor->window();
    QLabel *hint = hintLabel(window);
    hint->setText(
        QStringLiteral("A medication list cannot store \"%1\".").arg(firstUnstorable(text)));
    hint->adjustSize();
    QPoint below = editor->mapTo(window, QPoint(0, editor->height()));
    below.setX(std::clamp(below.x(), 0, std::max(0, window->width() - hint->width())));
    if (below.y() + hint->height() > window->height())
        below.setY(std::max(0, editor->mapTo(window, QPoint()).y() - hint->height()));
    hint->move(below);
    hint->raise();
    hint->show();
    hint->findChild<QTimer *>(QStringLiteral("refusalHintTimer"))->start();
}

} // namespace StorableText

QValidator::State StorableTextValidator::validate(QString &input, int &) const
{
    if (StorableText::isStorable(input))
        return Acceptable;
    if (auto *editor = qobject_cast<QWidget *>(parent()))
        StorableText::refuse(editor, input);
    return Invalid;
}

QString StorableTextEdit::shownText() const
{
    QString text = document()->toRawText();
    for (QChar &c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u'\n';
    }
    return text;
}

void StorableTextEdit::keyPressEvent(QKeyEvent *event)
{
    if (StorableText::typesText(event->text()) && !StorableText::isStorable(event->text())) {
        StorableText::refuse(this, event->text());
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void StorableTextEdit::inputMethodEvent(QInputMethodEvent *event)
{
    if (!StorableText::isStorable(event->commitString())) {
        StorableText::refuse(this, event->commitString());
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
        StorableText::refuse(this, source->text());
        return;
    }
    insertPlainText(source->text());
}
