#pragma once

#include "common/dialogs.h"

#include <QDialog>
#include <QList>
#include <QPrinter>
#include <QString>
#include <QStringList>

#include <functional>

// Dialogs that answer from a script and remember what they showed, so that no
// test waits on a modal loop.
class ScriptedDialogs : public Dialogs
{
public:
    struct Shown { Box box; QString text; };

    // Answers for the next questions, in order.  A box asked when none is
    // left gets OK when OK is its only button, and Cancel otherwise.
    void answer(std::initializer_list<Button> answers) { answers_.append(answers); }
    void chooseDirectory(const QString &directory) { directories_.append(directory); }
    // The next print dialog is confirmed and prints PDF into the file at the
    // given pixels per inch, or is cancelled when the path is empty.  Its
    // sheet has margins that cannot be printed, as a printer's has: the
    // printable area begins at PrintableCorner (mm).
    static constexpr QPointF PrintableCorner{4.2, 3.4};
    // A path not ending in .pdf names a printer.
    void printTo(const QString &pdfPath, int resolution = 600) { targets_.append({pdfPath, resolution}); }
    // Previews paint their pages into this PDF file.
    void previewInto(const QString &pdfPath) { previewPath_ = pdfPath; }
    // What the print dialogs offered, in order.
    const QList<PrintOffer> &printOffers() const { return printOffers_; }
    // What the user does in the next window shown modally, before closing it
    // as the user would (the window's close question runs).  A window shown
    // with no action left is closed at once.
    void inModal(std::function<void(QDialog &dialog)> action) { modalActions_.append(std::move(action)); }
    // Captions of the windows shown modally, in order.
    const QStringList &modalShown() const { return modalShown_; }
    const QList<Shown> &shown() const { return shown_; }
    const QStringList &texts() const { return texts_; }
    void clear() { *this = ScriptedDialogs(); }

    Button message(QWidget *, Box box, const QString &text, Buttons buttons) override
    {
        shown_.append({box, text});
        texts_.append(text);
        return !answers_.isEmpty() ? answers_.takeFirst() : buttons == Buttons::Ok ? Button::Ok : Button::Cancel;
    }
    QString existingDirectory(QWidget *, const QString &prompt) override
    {
        shown_.append({Box::Plain, prompt});
        texts_.append(prompt);
        return directories_.isEmpty() ? QString() : directories_.takeFirst();
    }
    // A refused close would leave the user in the window; the test has seen
    // the question and ends the window here.
    void showModal(QDialog &dialog) override
    {
        modalShown_.append(dialog.windowTitle());
        dialog.setModal(true);
        dialog.show();
        if (!modalActions_.isEmpty())
            modalActions_.takeFirst()(dialog);
        dialog.close();
        dialog.hide();
    }
    void printPreview(QWidget *, const PaintPages &paint) override
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(previewPath_);
        printer.setPageMargins(QMarginsF(PrintableCorner.x(), PrintableCorner.y(), 5, 5), QPageLayout::Millimeter);
        paint(printer);
    }
    // The offer is only recorded: a PDF is printed once, whatever the copies.
    bool printDialog(QWidget *, QPrinter &printer, const PrintOffer &offer) override
    {
        printOffers_.append(offer);
        const Target target = targets_.isEmpty() ? Target() : targets_.takeFirst();
        if (target.path.isEmpty())
            return false;
        if (!target.path.endsWith(QLatin1String(".pdf"))) { // a printer's name: the copies reach its job
            printer.setPrinterName(target.path);
            printer.setCopyCount(offer.copies);
            printer.setCollateCopies(offer.collate);
            return true;
        }
        printer.setOutputFileName(target.path); // PDF, by the name's suffix
        printer.setResolution(target.resolution);
        printer.setPageMargins(QMarginsF(PrintableCorner.x(), PrintableCorner.y(), 5, 5), QPageLayout::Millimeter);
        return true;
    }

private:
    struct Target { QString path; int resolution = 0; };
    QList<Target> targets_;
    QString previewPath_;
    QStringList modalShown_, directories_, texts_;
    QList<PrintOffer> printOffers_;
    QList<std::function<void(QDialog &dialog)>> modalActions_;
    QList<Shown> shown_;
    QList<Button> answers_;
};
