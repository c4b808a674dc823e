#pragma once

#include "common/validators.h"

#include <QValidator>

class QKeyEvent;
class QLineEdit;

// Holds a line edit to text that could have been typed into it.  A typed key
// that the filter rejects is dropped; text that arrives otherwise (a paste, a
// drop) stands only when it could have been typed key by key; a deletion
// always stands.  Both grids' cell editors and the payment reference use it.
class TypedTextGuard : public QValidator
{
public:
    // Guards edit, which becomes the guard's parent.
    TypedTextGuard(QLineEdit *edit, KeyFilter rejected);

    // The character a key press types: printable characters, Backspace, Tab
    // and Enter.  Other keys (arrows, Delete, shortcuts) type nothing.
    static QChar typedCharacter(const QKeyEvent *event);

    State validate(QString &input, int &pos) const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *edit_;
    KeyFilter rejected_;
    QString accepted_;
    // A typed key got past the filter; the change it makes stands.
    mutable bool typedKey_ = false;
};
