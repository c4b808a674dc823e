#include "dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QStyle>

#ifdef Q_OS_WIN
#include <QTimer>

#include <qt_windows.h>
#endif

namespace {

QMessageBox::StandardButtons standardButtons(Dialogs::Buttons buttons)
{
    switch (buttons) {
    case Dialogs::Buttons::Ok:
        return QMessageBox::Ok;
    case Dialogs::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Dialogs::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

Dialogs::Button answerOf(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return Dialogs::Button::Yes;
    case QMessageBox::No:
        return Dialogs::Button::No;
    case QMessageBox::Ok:
        return Dialogs::Button::Ok;
    default:
        return Dialogs::Button::Cancel;
    }
}

#ifdef Q_OS_WIN
// Qt hands the folder chooser its caption before it asks for folders, and
// Wine's chooser replaces the caption with its own when it is asked for
// folders.  The caption is therefore written again on the chooser's window,
// a dialog of this thread, once it is up.
void keepChooserCaption(QTimer &timer, const QString &caption)
{
    struct Search
    {
        const QString &caption;
        bool done = false;
    };
    QObject::connect(&timer, &QTimer::timeout, &timer, [&timer, &caption] {
        Search search{caption};
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM data) -> BOOL {
                auto &search = *reinterpret_cast<Search *>(data);
                wchar_t className[16] = {};
                GetClassNameW(window, className, 16);
                if (!IsWindowVisible(window) || wcscmp(className, L"#32770") != 0)
                    return TRUE;
                SetWindowTextW(window, reinterpret_cast<const wchar_t *>(search.caption.utf16()));
                search.done = true;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.done)
            timer.stop();
    });
    timer.start(20);
}
#endif

class WidgetDialogs : public Dialogs
{
public:
    Button message(QWidget *parent, Box box, const QString &text, Buttons buttons) override
    {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString caption = QApplication::applicationDisplayName();
        switch (box) {
        case Box::Plain:
            break;
        case Box::Information:
            icon = QMessageBox::Information;
            caption = QStringLiteral("Information");
            break;
        case Box::Warning:
            icon = QMessageBox::Warning;
            caption = QStringLiteral("Warning");
            break;
        case Box::Confirm:
            icon = QMessageBox::Question;
            caption = QStringLiteral("Confirm");
            break;
        case Box::Error:
            icon = QMessageBox::Critical;
            caption = QStringLiteral("Error");
            break;
        case Box::StopError:
            icon = QMessageBox::Critical;
            caption = QStringLiteral("Kelvaro");
            break;
        }
        // The texts carry Windows line breaks, in either order.
        QString shown = text;
        shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1String("\n\r"), QLatin1String("\n"));
        QMessageBox box_(icon, caption, shown, standardButtons(buttons), parent);
        return answerOf(box_.exec());
    }

    QString existingDirectory(QWidget *parent, const QString &prompt) override
    {
        QFileDialog dialog(parent, prompt);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        // No folder preselected: the chooser opens on the whole computer, not
        // in the program's current folder (where the static chooser opens).
        dialog.setDirectory(QString());
#ifdef Q_OS_WIN
        QTimer captionTimer;
        keepChooserCaption(captionTimer, prompt);
#endif
        if (dialog.exec() != QDialog::Accepted)
            return QString();
        return dialog.selectedFiles().value(0);
    }

    bool printDialog(QWidget *parent, QPrinter &printer, const PrintOffer &offer) override
    {
        printer.setCopyCount(offer.copies);
        if (offer.collate)
            printer.setCollateCopies(true);
        QPrintDialog dialog(&printer, parent);
        if (offer.maxPage > 0) {
            dialog.setMinMax(offer.minPage, offer.maxPage);
            printer.setFromTo(offer.minPage, offer.maxPage);
            dialog.setOption(QAbstractPrintDialog::PrintPageRange);
        }
        return dialog.exec() == QDialog::Accepted;
    }
    void printPreview(QWidget *parent, const PaintPages &paint) override
    {
        QPrinter printer(QPrinter::HighResolution);
        QPrintPreviewDialog dialog(&printer, parent,
                                   Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                       | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
        // Most of the screen, so that the whole page, which the preview fits
        // into its view, can be read.
        if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
            const QRect available = screen->availableGeometry();
            dialog.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, available.size() * 0.9, available));
        }
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&paint](QPrinter *pages) { paint(*pages); });
        dialog.exec();
    }
    void showModal(QDialog &dialog) override { dialog.exec(); }
};

} // namespace

Dialogs &Dialogs::standard()
{
    static WidgetDialogs dialogs;
    return dialogs;
}
