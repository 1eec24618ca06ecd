#include "DialogPrompter.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

bool DialogPrompter::askYesNo(const QString &text, const QString &title,
                              DefaultAnswer defaultAnswer)
{
    const QMessageBox::StandardButton preselected =
        defaultAnswer == DefaultAnswer::Yes ? QMessageBox::Yes : QMessageBox::No;
    return QMessageBox::question(m_parent, title, text, QMessageBox::Yes | QMessageBox::No,
                                 preselected) == QMessageBox::Yes;
}

int DialogPrompter::askOrCancel(const QString &text, const QString &title,
                                const QStringList &answers)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, m_parent);
    QList<QAbstractButton *> buttons;
    for (const QString &answer : answers)
        buttons << box.addButton(answer, QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return int(buttons.indexOf(box.clickedButton()));
}

void DialogPrompter::inform(const QString &text, const QString &title)
{
    QMessageBox::information(m_parent, title, text);
}

void DialogPrompter::warn(const QString &text, const QString &title)
{
    QMessageBox::warning(m_parent, title, text);
}

void DialogPrompter::tell(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, m_parent);
    box.exec();
}

QString DialogPrompter::askText(const QString &prompt, const QString &title, const QString &text)
{
    bool ok = false;
    const QString typed =
        QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, text, &ok);
    return ok ? typed : QString();
}

QString DialogPrompter::askSaveFileName(const QString &title, const QString &suggestedPath,
                                        const QString &filter)
{
    return QFileDialog::getSaveFileName(m_parent, title, suggestedPath, filter);
}
