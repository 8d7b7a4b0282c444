#include "app/dumpcommand.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

void printUsage(std::FILE* to)
{
    std::fputs("Usage: TraceReader --dump FILE\n"
               "  --dump FILE   print the model, time range and every record of a recorded file\n",
               to);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() == 2 && args[0] == u"--dump")
        return qor::runDump(args[1], stdout, stderr);
    if (args.size() == 1 && (args[0] == u"--help" || args[0] == u"-h")) {
        printUsage(stdout);
        return 0;
    }
    printUsage(stderr);
    return 2;
}
