// A copy of the program's start, for the tests that start several of them:
//   instancecheck PROGRAM_FOLDER [--hang] [FILE...]
// prints the messages it showed, then "started" when its main window is up, "handed over" when the
// copy that runs took its files, or "refused". A started copy puts its main window minimised behind
// another window and runs until it is killed; it prints "front" when its main window comes to the
// front again, and after every hand-over "opened PATH" for each slot's file. With --hang it stops
// serving its events once started, as a copy that hangs.
#include "data/loadeddataset.h"
#include "shell/apppath.h"
#include "shell/main/instancechannel.h"
#include "shell/main/mainwindow.h"
#include "shell/main/startup.h"
#include "shell/programstate.h"
#include "shell/slotwindows.h"
#include "support/scriptedprompts.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QThread>

#include <cstdio>

namespace {

void print(const QString& line)
{
    std::puts(line.toUtf8().constData());
    std::fflush(stdout);
}

// Prints "front" whenever the watched window becomes the active window, not minimised.
class FrontWatcher final : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowActivate && !static_cast<QWidget*>(watched)->isMinimized())
            print(QStringLiteral("front"));
        return false;
    }
};

void printOpenedFiles()
{
    for (int slot = 1; slot <= 2; ++slot) {
        if (qor::SlotLoaded(slot))
            print(QStringLiteral("opened ") + qor::loadedData().slot(slot).FilePath);
    }
}

// Lets the window system's events through until `window` is the active one.
void activate(QWidget& window)
{
    window.show();
    window.activateWindow();
    const QDeadlineTimer deadline(5000);
    while (!window.isActiveWindow() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

const char* outcomeName(qor::Startup::Outcome outcome)
{
    using Outcome = qor::Startup::Outcome;
    return outcome == Outcome::Started ? "started" : outcome == Outcome::HandedOver ? "handed over" : "refused";
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QStringList files = QApplication::arguments().mid(1);
    qor::setAppPath(files.takeFirst());
    const bool hang = !files.isEmpty() && files.first() == u"--hang";
    if (hang)
        files.removeFirst();
    ScriptedPrompts& prompts = ScriptedPrompts::install();
    qor::Startup startup;
    const qor::Startup::Outcome outcome = startup.run(files);
    for (const ScriptedPrompts::Message& message : prompts.messages)
        print(message.title + u'|' + message.text);
    if (outcome != qor::Startup::Outcome::Started) {
        print(QString::fromLatin1(outcomeName(outcome)));
        return 0;
    }
    qor::MainWindow& mainWindow = *startup.mainWindow();
    QWidget elsewhere;
    mainWindow.showMinimized();
    activate(elsewhere);
    FrontWatcher watcher;
    mainWindow.installEventFilter(&watcher);
    // Connected after the start's own handling, so it sees the files that the hand-over opened.
    QObject::connect(startup.instanceChannel(), &qor::InstanceChannel::handedOver, &watcher, printOpenedFiles);
    print(QStringLiteral("started"));
    if (hang)
        QThread::sleep(3600);
    return QApplication::exec();
}
