#pragma once

#include "common/dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

// Dialogs that answer from a script and remember what they showed, so that no
// test waits on a modal loop.
class ScriptedDialogs : public Dialogs
{
public:
    struct Shown
    {
        Box box;
        QString text;
    };

    // Answers for the next questions, in order.  A box asked when none is
    // left gets OK when OK is its only button, and Cancel otherwise.
    void answer(std::initializer_list<Button> answers) { answers_.append(answers); }
    void chooseDirectory(const QString &directory) { directories_.append(directory); }

    QStringList texts() const
    {
        QStringList all;
        for (const Shown &s : shown_)
            all << s.text;
        return all;
    }
    const QList<Shown> &shown() const { return shown_; }
    void clear()
    {
        shown_.clear();
        answers_.clear();
        directories_.clear();
    }

    Button message(QWidget *, Box box, const QString &text, Buttons buttons) override
    {
        shown_.append({box, text});
        if (!answers_.isEmpty())
            return answers_.takeFirst();
        return buttons == Buttons::Ok ? Button::Ok : Button::Cancel;
    }

    QString existingDirectory(QWidget *, const QString &prompt) override
    {
        shown_.append({Box::Plain, prompt});
        return directories_.isEmpty() ? QString() : directories_.takeFirst();
    }

private:
    QList<Shown> shown_;
    QList<Button> answers_;
    QStringList directories_;
};
