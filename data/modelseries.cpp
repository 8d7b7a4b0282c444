#include "modelseries.h"

#include "modeltable.h"

namespace qor::models {

namespace {

// PV, SP and MV of `channels` channels from column PV1 on, each channel named by `prefixOf`.
template <typename Prefix> std::vector<NamedSeries> channelTriples(int channels, Prefix prefixOf)
{
    std::vector<NamedSeries> out;
    for (int channel = 1; channel <= channels; ++channel) {
        for (int k = 0; k < 3; ++k)
            out.push_back({prefixOf(channel), keyAfter(GraphText::PV, k), static_cast<ColumnId>((channel - 1) * 3 + k + 1)});
    }
    return out;
}

std::vector<NamedSeries> numberedChannels(int channels)
{
    return channelTriples(channels, [](int channel) { return QStringLiteral("CH %1 ").arg(channel); });
}

// One channel named by the option text, or two numbered channels when there is none.
std::vector<NamedSeries> optionChannels(QStringView option)
{
    if (option.isEmpty())
        return numberedChannels(2);
    const QString prefix = option.toString() + u' ';
    return channelTriples(1, [&](int) { return prefix; });
}

std::vector<NamedSeries> listed(std::span<const SeriesEntry> entries)
{
    std::vector<NamedSeries> out;
    for (const SeriesEntry& entry : entries)
        out.push_back({QString(), entry.graphKey, entry.column});
    return out;
}

std::vector<NamedSeries> seriesOf(const SeriesCell& series, QStringView option, bool narrowed)
{
    switch (series.rule) {
    case SeriesRule::Listed:
        return listed(series.entries);
    case SeriesRule::OptionChannels:
        return optionChannels(option);
    case SeriesRule::ThreeChannelsUnlessNarrowed:
        return narrowed ? optionChannels(option) : numberedChannels(3);
    case SeriesRule::None:
        break;
    }
    return {};
}

ChannelName channelName(const SettingsName& name)
{
    return {name.text.toString(), name.graphSetKey};
}

} // namespace

std::optional<LegendCaptions> legendCaptions(const ModelTraits& model, QStringView option)
{
    const SeriesCell& series = model.series;
    if (series.rule == SeriesRule::None)
        return std::nullopt;
    return LegendCaptions{*series.legendTitleKey, seriesOf(series, option, !option.isEmpty())};
}

std::vector<NamedSeries> readoutSeries(const ModelTraits& model, QStringView option, int channelCode)
{
    return seriesOf(model.series, option, channelCode != 0);
}

std::array<ChannelName, 3> settingsChannelNames(const ModelTraits& model, bool allChannels)
{
    const SettingsNames& names = allChannels && model.allChannelsSettingsNames ? *model.allChannelsSettingsNames : model.settingsNames;
    return {channelName(names[0]), channelName(names[1]), channelName(names[2])};
}

} // namespace qor::models
