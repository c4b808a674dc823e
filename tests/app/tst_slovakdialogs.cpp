// Qt's own message boxes and folder chooser as the program shows them, with
// the translations that main() installs: no English text is left.
#include "app/programsetup.h"
#include "common/dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QMetaEnum>
#include <QTest>
#include <QTimer>
#include <QTreeView>

namespace {

enum class Shown { EveryStandardButton, QuestionBox, ErrorBox, FolderChooser };

// What the user reads in a dialog: labels, buttons and their tips, list
// items, column headings, and the kind of each entry the folder list shows
// (names, sizes and dates are the user's files and locale, not Qt's texts).
QStringList readableTexts(const QWidget &dialog)
{
    QStringList texts;
    const auto add = [&texts](const QString &text) {
        if (!text.isEmpty())
            texts << text;
    };
    for (const QWidget *w : dialog.findChildren<QWidget *>()) {
        if (!w->isVisibleTo(&dialog))
            continue;
        add(w->toolTip());
        if (const auto *label = qobject_cast<const QLabel *>(w))
            add(label->text());
        if (const auto *button = qobject_cast<const QAbstractButton *>(w))
            add(button->text());
        if (const auto *combo = qobject_cast<const QComboBox *>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                add(combo->itemText(i));
        }
        if (const auto *header = qobject_cast<const QHeaderView *>(w)) {
            for (int i = 0; i < header->count(); ++i) {
                if (!header->isSectionHidden(i))
                    add(header->model()->headerData(i, header->orientation()).toString());
            }
        }
        if (const auto *files = qobject_cast<const QTreeView *>(w)) {
            const QAbstractItemModel *model = files->model();
            const QModelIndex root = files->rootIndex();
            if (QTest::qWaitFor([&] { return model->rowCount(root) > 0; })) {
                for (int row = 0; row < model->rowCount(root); ++row)
                    add(model->index(row, 2, root).data().toString());
            }
        }
    }
    texts.sort();
    texts.removeDuplicates();
    return texts;
}

} // namespace

class TstSlovakDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { InstallSlovakTranslations(*QCoreApplication::instance()); }
    void noEnglishText_data();
    void noEnglishText();
};

void TstSlovakDialogs::noEnglishText_data()
{
    QTest::addColumn<int>("shown");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("every standard button")
        << int(Shown::EveryStandardButton)
        << QStringList{"Text", "OK", "Uložiť", "Uložiť všetko", "Otvoriť", "&Áno", "Áno pre &všetko", "&Nie",
                       "Nie pre všetk&o", "Prerušiť", "Skúsiť znova", "Ignorovať", "Zavrieť", "Zrušiť", "Zahodiť",
                       "Pomocník", "Použiť", "Nastaviť pôvodné", "Obnoviť štandardné"};
    QTest::newRow("question box") << int(Shown::QuestionBox)
                                  << QStringList{"Odstrániť nekompletné riadky?", "&Áno", "&Nie", "Zrušiť"};
    QTest::newRow("error box") << int(Shown::ErrorBox)
                               << QStringList{"Chyba pri tlači dokumentu", "OK", "Zrušiť"};
    // Opened on the whole computer ("Počítač"), whose one entry is the
    // root drive: no folder is preselected.  Windows calls the computer "Môj
    // počítač"; under Wine its drive Z:, Linux's root, is listed as a folder.
    QStringList folderChooser{"Hľadať v:", "Počítač", "Späť", "Vpred", "Nadradený priečinok",
                              "Vytvoriť nový priečinok", "Zoznam", "Detaily", "Názov", "Veľkosť", "Typ",
                              "Dátum úpravy", "Disková jednotka", "Priečinok:", "&Vybrať", "Zrušiť",
                              "Súbory typu:", "Priečinky"};
#ifdef Q_OS_WIN
    folderChooser.replace(1, QStringLiteral("Môj počítač"));
    folderChooser << QStringLiteral("Priečinok súborov");
#endif
    QTest::newRow("folder chooser") << int(Shown::FolderChooser) << folderChooser;
}

void TstSlovakDialogs::noEnglishText()
{
    QFETCH(int, shown);
    QFETCH(QStringList, texts);
    QStringList read;
    QTimer::singleShot(0, [&read] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        read = readableTexts(*dialog);
        dialog->reject();
    });
    switch (Shown(shown)) {
    case Shown::EveryStandardButton: {
        const QMetaEnum buttons = QMetaEnum::fromType<QDialogButtonBox::StandardButtons>();
        int all = 0;
        for (int i = 0; i < buttons.keyCount(); ++i)
            all |= buttons.value(i);
        QMessageBox box(QMessageBox::Question, QStringLiteral("Kelvaro"), QStringLiteral("Text"),
                        QMessageBox::StandardButtons(all));
        box.exec();
        break;
    }
    case Shown::QuestionBox:
        Dialogs::standard().confirm(nullptr, QStringLiteral("Odstrániť nekompletné riadky?"));
        break;
    case Shown::ErrorBox:
        Dialogs::standard().error(nullptr, QStringLiteral("Chyba pri tlači dokumentu"));
        break;
    case Shown::FolderChooser:
        QCOMPARE(Dialogs::standard().existingDirectory(
                     nullptr, QStringLiteral("Zvolte si adresár, kam sa majú ukladať súbory súpisky.")),
                 QString());
        break;
    }
    texts.sort();
    QCOMPARE(read, texts);
}

QTEST_MAIN(TstSlovakDialogs)
#include "tst_slovakdialogs.moc"
