#include "app/csvcommand.h"
#include "app/dumpcommand.h"
#include "app/rendercommand.h"
#include "app/reportcommand.h"
#include "shell/main/application.h"
#include "shell/main/startup.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

void printUsage(std::FILE* to)
{
    std::fputs("Usage: TraceReader [FILE [FILE]] | --dump FILE | --export FILE OUT.csv | --render FILE OUT.png [--size WIDTHxHEIGHT]\n"
               "                   | --report FILE OUT.pdf [--landscape] [--range FROM TO] [--comment TEXT] [--size WIDTHxHEIGHT]\n"
               "  FILE [FILE]   start the viewer and open the files, into slot 1 and then slot 2\n"
               "  --dump FILE   print the model, time range and every record of a recorded file\n"
               "  --export FILE OUT.csv\n"
               "                write a .LOG or .DAT file's records as the export command does\n"
               "  --render FILE OUT.png [--size WIDTHxHEIGHT]\n"
               "                save a picture of the file's trend graph (1600x900), without a display\n"
               "  --report FILE OUT.pdf ...\n"
               "                print the file's report page to a PDF file, without a display\n",
               to);
}

// Commands that run without a window, and so without a display.
bool isConsoleCommand(int argc, char* argv[])
{
    return argc > 1 && argv[1][0] == '-';
}

// Draws without a display: the graph window lives on the offscreen platform.
int runDrawingCommand(int argc, char* argv[], int (*command)(const QStringList&, std::FILE*))
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qor::Application app(argc, argv);
    return command(QApplication::arguments().mid(2), stderr);
}

int runConsoleCommand(int argc, char* argv[])
{
    if (std::strcmp(argv[1], "--render") == 0)
        return runDrawingCommand(argc, argv, qor::runRender);
    if (std::strcmp(argv[1], "--report") == 0)
        return runDrawingCommand(argc, argv, qor::runReport);
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() == 2 && args[0] == u"--dump")
        return qor::runDump(args[1], stdout, stderr);
    if (args.size() == 3 && args[0] == u"--export")
        return qor::runExport(args[1], args[2], stderr);
    if (args.size() == 1 && (args[0] == u"--help" || args[0] == u"-h")) {
        printUsage(stdout);
        return 0;
    }
    printUsage(stderr);
    return 2;
}

// The files named on the command line as absolute paths: the viewer shows and keeps them (Recent
// Files, the running copy they are handed to), and they must open from any folder.
QStringList absolutePaths(const QStringList& files)
{
    QStringList paths;
    for (const QString& file : files)
        paths << QFileInfo(file).absoluteFilePath();
    return paths;
}

} // namespace

int main(int argc, char* argv[])
{
    if (isConsoleCommand(argc, argv))
        return runConsoleCommand(argc, argv);
    qor::Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QOR Trace Reader"));
    qor::Startup startup;
    if (startup.run(absolutePaths(QApplication::arguments().mid(1, 2))) != qor::Startup::Outcome::Started)
        return 0;
    return QApplication::exec();
}
