#include "graphsettings.h"

#include "apppath.h"
#include "errorlog.h"
#include "inifile.h"

#include "data/numbertext.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace qor {

namespace {

constexpr int valueBuffer = 10;
constexpr int printSwitchBuffer = 5;

// Assigns settings one by one until a value does not fit its type; from then on nothing is assigned.
class SettingsReader {
  public:
    explicit SettingsReader(const QString& filePath)
        : m_file(filePath)
    {
    }

    bool ok() const { return m_ok; }

    void read(qint16& setting, QStringView section, QStringView key, int bufferSize = valueBuffer)
    {
        if (m_ok)
            assign(setting, numbers::toInt16(number(section, key, bufferSize)));
    }

    void read(qint32& setting, QStringView section, QStringView key)
    {
        if (m_ok)
            assign(setting, numbers::toInt32(number(section, key, valueBuffer)));
    }

    void read(double& setting, QStringView section, QStringView key)
    {
        if (m_ok)
            setting = number(section, key, valueBuffer);
    }

    void readLanguage(QString& setting)
    {
        if (m_ok)
            setting = m_file.read(u"Language", u"Language", valueBuffer).left(3);
    }

  private:
    double number(QStringView section, QStringView key, int bufferSize) const
    {
        return numbers::leadingNumber(m_file.read(section, key, bufferSize));
    }

    template <typename T> void assign(T& setting, std::optional<T> value)
    {
        m_ok = value.has_value();
        if (m_ok)
            setting = *value;
    }

    IniSnapshot m_file;
    bool m_ok = true;
};

QString plotColorKey(int n)
{
    return QStringLiteral("Plots_Color_") + QString::number(n);
}

} // namespace

bool GraphSettings::load(const QString& filePath)
{
    SettingsReader reader(filePath);
    reader.read(PlotsWidth, u"Line", u"Plots_Width");
    reader.read(YGridMode, u"Line", u"Y_Grid");
    reader.read(XGridMode, u"Line", u"X_Grid");
    for (int n = 1; n <= int(PlotColor.size()); ++n)
        reader.read(PlotColor[n - 1], u"Color", plotColorKey(n));
    reader.read(TimeColor, u"Color", u"TIME_Color");
    reader.read(TempColor, u"Color", u"TEMP_Color");
    reader.read(OutputColor, u"Color", u"OUTPUT_Color");
    reader.read(FrameColor, u"Color", u"Frame_Color");
    reader.read(PVRange.minimum, u"Color", u"Min_PVZoom");
    reader.read(PVRange.maximum, u"Color", u"Max_PVZoom");
    for (int n = 1; n <= int(PrintInfo.size()); ++n)
        reader.read(PrintInfo[n - 1], u"Print_Set", QString(QStringLiteral("Print_Info_") + QString::number(n)), printSwitchBuffer);
    reader.readLanguage(LangCode);
    return reader.ok();
}

Status GraphSettings::save(const QString& filePath) const
{
    std::vector<std::pair<QString, QString>> values;
    for (int n = 1; n <= int(PlotColor.size()); ++n)
        values.emplace_back(plotColorKey(n), QString::number(PlotColor[n - 1]));
    values.emplace_back(QStringLiteral("TIME_Color"), QString::number(TimeColor));
    values.emplace_back(QStringLiteral("TEMP_Color"), QString::number(TempColor));
    values.emplace_back(QStringLiteral("OUTPUT_Color"), QString::number(OutputColor));
    values.emplace_back(QStringLiteral("Min_PVZoom"), QString::number(PVRange.minimum, 'g', 15));
    // This spelling of the key is the one the file has always been written with; as names are matched
    // without regard to case, it replaces the Max_PVZoom line that load() reads.
    values.emplace_back(QStringLiteral("Max_PVZooM"), QString::number(PVRange.maximum, 'g', 15));
    values.emplace_back(QStringLiteral("X_Major"), QStringLiteral("0"));
    values.emplace_back(QStringLiteral("Y_Major"), QStringLiteral("0"));
    const IniFile file(filePath);
    for (const auto& [key, value] : values) {
        if (Status written = file.write(u"Color", key, value); !written.ok())
            return written;
    }
    return {};
}

QString graphSettingsPath()
{
    return WritablePath() + QStringLiteral("SetGraphInfo.ini");
}

datetime::AmPm interfaceAmPm()
{
    return datetime::amPmFor(graphSettings().LangCode);
}

void saveSetting(QStringView section, QStringView key, const QString& value)
{
    logIfFailed(IniFile(graphSettingsPath()).write(section, key, value), QStringLiteral("SaveSetting"));
}

bool LoadGraphSettings()
{
    return graphSettings().load(graphSettingsPath());
}

Status SaveGraphSettings()
{
    return graphSettings().save(graphSettingsPath());
}

} // namespace qor
