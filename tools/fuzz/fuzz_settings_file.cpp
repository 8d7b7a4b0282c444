#include "readinput.h"

#include "shell/apppath.h"
#include "shell/graphsettings.h"
#include "shell/inifile.h"
#include "shell/recentfiles.h"

#include <QDir>

// The settings file is the user's to edit, and anything may stand in it: the graph settings and the
// recent files are read from it, and a setting written into it reads back while the other keys
// keep their values.
// The program folder, where the recent files are read from, is the scratch folder.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qor::setAppPath(qor::fuzz::scratchFolderPath());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using qor::fuzz::require;
    const QString path = qor::fuzz::writeInputFile(u"SetGraphInfo.ini", data, size);
    qor::GraphSettings settings;
    settings.load(path);

    const QStringList recent = qor::RecentFiles::load();
    require(recent.size() <= qor::RecentFiles::MaxCount, "at most eight recent files");
    for (const QString& file : recent)
        require(QDir::isAbsolutePath(file) && recent.count(file) == 1, "recent files are absolute paths, each once");

    const qor::IniFile file(path);
    const QString language = file.read(u"Language", u"LangCode", 256);
    require(file.write(u"Color", u"TIME_Color", u"12345").ok(), "a setting can be written");
    require(file.read(u"Color", u"TIME_Color", 64) == u"12345", "a written setting reads back");
    require(file.read(u"Language", u"LangCode", 256) == language, "a write leaves the other settings as they were");
    return 0;
}
