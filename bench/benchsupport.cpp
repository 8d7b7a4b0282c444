#include "benchsupport.h"

#include <benchmark/benchmark.h>

#include "shell/apppath.h"
#include "shell/graphsettings.h"
#include "shell/stringtable.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <tuple>

#include <cstdlib>
#include <fstream>
#include <string>

bool benchFile(benchmark::State& state, const char* variable, QString& path)
{
    const char* named = std::getenv(variable);
    if (!named) {
        state.SkipWithError((std::string(variable) + " names no file").c_str());
        return false;
    }
    path = QString::fromLocal8Bit(named);
    return true;
}

double statusBytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string name;
    while (status >> name) {
        if (name == field + ':') {
            double kib = 0;
            status >> kib;
            return kib * 1024;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

void useProgramFolder(const QTemporaryDir& folder)
{
    for (const QString& name : QDir(QStringLiteral(QOR_RESOURCES_DIR)).entryList(QDir::Files))
        QFile::copy(QStringLiteral(QOR_RESOURCES_DIR "/") + name, folder.filePath(name));
    qor::setAppPath(folder.path());
    std::ignore = qor::LoadGraphSettings();
    std::ignore = qor::LoadStringTable();
}

int runWidgetBenchmarks(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
