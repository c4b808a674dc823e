#include "mainwindowfixture.h"
#include "support/listpagebarcodes.h"
#include "support/pdftext.h"
#include "support/privatecups.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSettings>

namespace {

const QString Queue = QStringLiteral("kelvaro-pdf");
constexpr int Ppi = 300;

// Row i (from 1) counts one voucher of i euros.
QByteArray rows(int n)
{
    QByteArray list;
    for (int i = 1; i <= n; ++i)
        list += QByteArray::number(i) + ";1;" + QByteArray::number(i) + ";\r\n";
    return list;
}

} // namespace

// The print flows of the main window through a real CUPS queue, as the
// merchant's printer is reached on Linux: a cups-pdf queue of a scheduler of
// the test's own, whose PDFs are read back.
class TstPrintQueue : public QObject
{
    Q_OBJECT

public:
    explicit TstPrintQueue(PrivateCups &cups) : cups_(cups) {}

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void printsThroughTheQueue_data();
    void printsThroughTheQueue();

private:
    PrivateCups &cups_;
    QTemporaryDir settingsDir_;
};

void TstPrintQueue::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
    const QString started = cups_.start();
    QVERIFY2(started.isEmpty(), qPrintable(started));
    const QString added = cups_.addPdfQueue(Queue);
    QVERIFY2(added.isEmpty(), qPrintable(added));
    QVERIFY(QPrinterInfo::availablePrinterNames().contains(Queue));
}

void TstPrintQueue::cleanupTestCase()
{
    cups_.stop();
}

void TstPrintQueue::init()
{
    // Left behind by a failed row.
    QDir folder(cups_.pdfFolder());
    for (const QString &name : folder.entryList(QDir::Files))
        folder.remove(name);
}

void TstPrintQueue::printsThroughTheQueue_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("pages");

    // The filled list is offered in two collated copies, which the queue
    // prints one after the other.
    QTest::newRow("filled list of 22 rows") << "btTlacSupiskySHodnotami" << 2 * 2;
    QTest::newRow("blank form") << "btTlacCistejSupisky" << 1;
}

void TstPrintQueue::printsThroughTheQueue()
{
    QFETCH(QString, button);
    QFETCH(int, pages);
    // The establishment's code is 001234, its IČO 35757442.
    MainWindow w(rows(22), dbtest::establishment("1", "001234", "Bistro", "Nitra"));
    w.child<QCheckBox>("cbSubor")->setChecked(false);
    w.dialogs.printOn(Queue);
    w.click(button.toLatin1().constData());
    QVERIFY(w.dialogs.texts().isEmpty());
    const QString idle = cups_.waitUntilIdle(Queue);
    QVERIFY2(idle.isEmpty(), qPrintable(idle));

    const QDir folder(cups_.pdfFolder());
    const QStringList written = folder.entryList({QStringLiteral("*.pdf")}, QDir::Files);
    QVERIFY2(written.size() == 1, qPrintable(written.join(' ') + '\n' + cups_.logs()));
    const QString pdf = folder.filePath(written.first());
    QCOMPARE(PdfText::pageCount(pdf), pages);
    // The form is drawn from the corner of the printable area, inside the
    // margins that Qt leaves on this printer.
    const QPointF origin =
        QPrinter(QPrinterInfo::printerInfo(Queue)).pageRect(QPrinter::Millimeter).topLeft() / 10;
    for (int page = 1; page <= pages; ++page) {
        const QImage image = PdfText::pageImage(pdf, page, Ppi);
        QVERIFY(!image.isNull());
        QCOMPARE(ListPageBarcodes::Read(image, Ppi, origin),
                 QStringList({"030829", "001234", "35757442", "0001", "001234"}));
    }
}

int main(int argc, char *argv[])
{
    // Before the application and anything else that could use CUPS: libcups
    // reads CUPS_SERVER once.
    PrivateCups cups;
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TstPrintQueue test(cups);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_printqueue.moc"
