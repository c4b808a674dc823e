#include "typedtext.h"

#include <QKeyEvent>
#include <QLineEdit>

TypedTextGuard::TypedTextGuard(QLineEdit *edit, KeyFilter rejected)
    : QValidator(edit), edit_(edit), rejected_(std::move(rejected)), accepted_(edit->text())
{
    edit->setValidator(this);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textChanged, this, [this](const QString &text) { accepted_ = text; });
}

QChar TypedTextGuard::typedCharacter(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Tab:
        return QChar(KeyTab);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(KeyEnter);
    case Qt::Key_Backspace:
        return QChar(KeyBackspace);
    default:
        break;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return {};
    const QString text = event->text();
    if (text.size() != 1 || !text.at(0).isPrint())
        return {};
    return text.at(0);
}

bool TypedTextGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == edit_) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            const QChar key = typedCharacter(static_cast<QKeyEvent *>(event));
            typedKey_ = key.isPrint();
            if (typedKey_ && rejected_(edit_->text(), key)) {
                typedKey_ = false;
                return true;
            }
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::ContextMenu:
        case QEvent::Drop:
            // What follows these is no typed key.
            typedKey_ = false;
            break;
        default:
            break;
        }
    }
    return QValidator::eventFilter(watched, event);
}

namespace {

// Whether text is before with one stretch of characters taken out (or as it
// was).
bool isDeletion(const QString &before, const QString &text)
{
    if (text.size() > before.size())
        return false;
    qsizetype prefix = 0;
    while (prefix < text.size() && text.at(prefix) == before.at(prefix))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < text.size() - prefix && text.at(text.size() - 1 - suffix) == before.at(before.size() - 1 - suffix))
        ++suffix;
    return prefix + suffix == text.size();
}

} // namespace

QValidator::State TypedTextGuard::validate(QString &input, int &) const
{
    const bool typed = typedKey_;
    typedKey_ = false;
    if (typed || isDeletion(accepted_, input) || CouldBeTyped(input, rejected_))
        return Acceptable;
    return Invalid;
}
