// A copy of the program's start, for the test that starts two of them: prints "started" when its
// main window is up (and then runs until it is killed), or the messages it showed and "refused".
#include "shell/apppath.h"
#include "shell/main/startup.h"
#include "support/scriptedprompts.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    qor::setAppPath(QString::fromLocal8Bit(argv[1]));
    ScriptedPrompts& prompts = ScriptedPrompts::install();
    qor::Startup startup;
    const bool started = startup.run();
    for (const ScriptedPrompts::Message& message : prompts.messages)
        std::printf("%s|%s\n", qPrintable(message.title), message.text.toUtf8().constData());
    std::puts(started ? "started" : "refused");
    std::fflush(stdout);
    return started ? QApplication::exec() : 0;
}
