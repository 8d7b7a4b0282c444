#include "programfolder.h"

#include "data/datetime.h"
#include "data/recordermodel.h"
#include "shell/apppath.h"
#include "shell/graphsettings.h"
#include "shell/inifile.h"
#include "shell/programstate.h"
#include "shell/stringtable.h"
#include "support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

ProgramFolder::ProgramFolder()
{
    fixtures::installSideFiles(m_dir);
    restart();
    setSetting(QStringLiteral("Language"), QStringLiteral("Language"), QStringLiteral("ENG"));
}

void ProgramFolder::restart()
{
    qor::resetProgramState();
    qor::setAppPath(m_dir.path());
    reload();
}

void ProgramFolder::setSetting(const QString& section, const QString& key, const QString& value)
{
    if (!qor::IniFile(qor::graphSettingsPath()).write(section, key, value).ok())
        qFatal("the test settings cannot be written");
    reload();
}

void ProgramFolder::reload()
{
    qor::LoadGraphSettings();
    qor::LoadStringTable();
}

double ProgramFolder::at(int seconds)
{
    return qor::datetime::addSeconds(qor::datetime::dateSerial(2015, 3, 1), 8 * 3600 + seconds);
}

// The reader takes the start time from the name's first fourteen digits; a counter keeps the names
// apart.
QString ProgramFolder::writeLog(const QByteArray& model, const QByteArray& option, int records, int stepSeconds, const Values& values)
{
    const auto count = static_cast<int>(
        qor::models::logPlan(qor::models::traitsOf(QString::fromLatin1(model)), QString::fromLatin1(option).trimmed()).values.size());
    QByteArray bytes = fixtures::logHeader(model, option);
    for (int r = 0; r < records; ++r) {
        QByteArray record = fixtures::logRecord(r * stepSeconds, {});
        for (int v = 0; v < count; ++v) {
            QByteArray value(8, '\0');
            qToLittleEndian(values(r, v), value.data());
            record += value;
        }
        bytes += record;
    }
    return fixtures::writeFile(m_dir, QStringLiteral("20150301080000_%1_%2.LOG").arg(QString::fromLatin1(model)).arg(++m_written), bytes);
}

QString ProgramFolder::writeCsv(const QByteArray& model, const QByteArray& option, const QList<QByteArray>& fields)
{
    QByteArray text = "; " + model + "\r\n; " + option + "\r\n";
    for (qsizetype r = 0; r < fields.size(); ++r)
        text += qor::datetime::isoText(at(static_cast<int>(r))).toLatin1() + ',' + fields[r] + "\r\n";
    return fixtures::writeFile(m_dir, QStringLiteral("20150301080000_%1_%2.CSV").arg(QString::fromLatin1(model)).arg(++m_written), text);
}
