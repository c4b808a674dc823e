#pragma once

#include <QString>

#include <functional>

class QPrinter;
class QDialog;
class QWidget;

// Every modal question the program puts to the user goes through a Dialogs
// object, so that tests can answer in advance and read back what was shown.
class Dialogs
{
public:
    enum class Box {
        Plain,       // caption: the application title; no icon; OK
        Information, // OK
        Warning,     // buttons as asked
        Confirm,     // Yes, No, Cancel
        Error,       // OK, Cancel
        StopError,   // the general error box: caption "Kelvaro", stop icon, OK
    };
    enum class Button { Ok, Cancel, Yes, No };
    enum class Buttons { Ok, OkCancel, YesNoCancel };

    virtual ~Dialogs() = default;

    virtual Button message(QWidget *parent, Box box, const QString &text, Buttons buttons) = 0;

    // An existing directory chosen by the user, or the empty text on cancel.
    virtual QString existingDirectory(QWidget *parent, const QString &prompt) = 0;

    // What the print dialog offers when it opens.  A page range is offered
    // when maxPage is not 0.
    struct PrintOffer
    {
        int copies = 1;
        bool collate = false;
        int minPage = 0;
        int maxPage = 0;
    };
    // Shows the print dialog for the printer; true when the user confirmed,
    // and the printer then holds the user's choices.
    virtual bool printDialog(QWidget *parent, QPrinter &printer, const PrintOffer &offer) = 0;
    // Shows the pages that paint draws on a printer, page by page, until the
    // user closes the preview.
    using PaintPages = std::function<void(QPrinter &printer)>;
    virtual void printPreview(QWidget *parent, const PaintPages &paint) = 0;
    // Shows a window of the program modally and returns when it has closed.
    virtual void showModal(QDialog &dialog) = 0;

    // Shorthands for the boxes the program uses.
    void plain(QWidget *parent, const QString &text) { message(parent, Box::Plain, text, Buttons::Ok); }
    void information(QWidget *parent, const QString &text)
    {
        message(parent, Box::Information, text, Buttons::Ok);
    }
    Button warning(QWidget *parent, const QString &text, Buttons buttons = Buttons::YesNoCancel)
    {
        return message(parent, Box::Warning, text, buttons);
    }
    Button confirm(QWidget *parent, const QString &text)
    {
        return message(parent, Box::Confirm, text, Buttons::YesNoCancel);
    }
    void error(QWidget *parent, const QString &text) { message(parent, Box::Error, text, Buttons::OkCancel); }
    void stopError(QWidget *parent, const QString &text) { message(parent, Box::StopError, text, Buttons::Ok); }

    // The dialogs that the user sees.
    static Dialogs &standard();
};
