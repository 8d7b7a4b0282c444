// Opening a recording in a shown viewer window as the user does, until its graph has been drawn on
// screen, then leaving: a whole process for bench/peers.sh to time next to `TraceReader --render`.
//   bench_open FILE
#include "shell/main/mainwindow.h"

#include "benchsupport.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: bench_open FILE\n", stderr);
        return 2;
    }
    QTemporaryDir folder;
    useProgramFolder(folder);
    qor::MainWindow main;
    main.show();
    if (!main.openFile(QString::fromLocal8Bit(argv[1]))) {
        std::fputs("bench_open: the recording could not be opened\n", stderr);
        return 1;
    }
    QCoreApplication::processEvents();
    // Drawing the window into a picture paints every child, the graph window's trend graph included.
    return main.grab().isNull() ? 1 : 0;
}
