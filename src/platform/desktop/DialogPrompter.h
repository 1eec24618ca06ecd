#pragma once

#include "Prompter.h"

class QWidget;

// Questions and messages as the desktop's message and input boxes.
class DialogPrompter : public Prompter
{
public:
    explicit DialogPrompter(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    bool askYesNo(const QString &text, const QString &title, DefaultAnswer defaultAnswer) override;
    int askOrCancel(const QString &text, const QString &title, const QStringList &answers) override;
    void inform(const QString &text, const QString &title) override;
    void warn(const QString &text, const QString &title) override;
    void tell(const QString &text, const QString &title) override;
    QString askText(const QString &prompt, const QString &title, const QString &text) override;
    QString askSaveFileName(const QString &title, const QString &suggestedPath,
                            const QString &filter) override;

private:
    QWidget *m_parent;
};
