// Linked into both programs of the start-up benchmark, the program itself and
// the bare window.  When the main window has been painted for the first time
// it writes the time and the row counts of the window's tables to standard
// output and ends the process at once: what follows is not start-up.
#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

void reportAndExit(const QMainWindow *window)
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("first paint %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    // The hidden database window is a child of the main window: its table
    // counts too.
    for (const QAbstractItemView *view : window->findChildren<QAbstractItemView *>()) {
        if (view->model())
            std::printf("rows %s %d\n", qPrintable(view->objectName()), view->model()->rowCount());
    }
    std::fflush(stdout);
    std::_Exit(0);
}

class FirstPaintProbe : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!seen_ && event->type() == QEvent::Paint) {
            const auto *window = qobject_cast<const QMainWindow *>(watched);
            if (window && window->isWindow()) {
                seen_ = true;
                // Queued: it runs when the whole window, children included,
                // has been painted and handed to the window system.
                QMetaObject::invokeMethod(this, [window] { reportAndExit(window); }, Qt::QueuedConnection);
            }
        }
        return false;
    }

private:
    bool seen_ = false;
};

void installProbe()
{
    QCoreApplication *app = QCoreApplication::instance();
    app->installEventFilter(new FirstPaintProbe(app));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
