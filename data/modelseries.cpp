#include "modelseries.h"

#include "recordermodel.h"

#include <initializer_list>

namespace qor::models {

namespace {

using enum ColumnId;

bool isOneOf(QStringView model, std::initializer_list<QStringView> names)
{
    for (QStringView name : names) {
        if (model == name)
            return true;
    }
    return false;
}

// PV, SP and MV of `channels` channels from column PV1 on, each channel named by `prefixOf`.
template <typename Prefix> std::vector<NamedSeries> channelTriples(int channels, Prefix prefixOf)
{
    std::vector<NamedSeries> out;
    for (int channel = 1; channel <= channels; ++channel) {
        for (int k = 0; k < 3; ++k)
            out.push_back({prefixOf(channel), 4 + k, static_cast<ColumnId>((channel - 1) * 3 + k + 1)});
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

std::vector<NamedSeries> withKeys(std::initializer_list<int> keys)
{
    std::vector<NamedSeries> out;
    int column = 1;
    for (int key : keys)
        out.push_back({QString(), key, static_cast<ColumnId>(column++)});
    return out;
}

std::vector<NamedSeries> z7Series()
{
    return {{QString(), 4, PV1}, {QString(), 5, SP1}, {QString(), 21, MV1}, {QString(), 22, MV2}};
}

} // namespace

std::optional<LegendCaptions> legendCaptions(QStringView model, QStringView option)
{
    const bool optionNamed =
        isOneOf(model, {u"QOR1000", u"QOR1100", u"QOR500", u"QOR510"}) || (isQor1400Family(model) && !option.isEmpty());
    if (optionNamed)
        return LegendCaptions{3, optionChannels(option)};
    if (model == u"QOR1000-Z7")
        return LegendCaptions{3, z7Series()};
    if (isOneOf(model, {u"QOR1200", u"QOR520"}))
        return LegendCaptions{7, withKeys({4, 5, 6, 8, 9, 10})};
    if (model == u"QOR1300")
        return LegendCaptions{11, withKeys({12, 13, 14, 15, 16, 17, 18, 19, 20})};
    if (isQor1400Family(model))
        return LegendCaptions{3, numberedChannels(3)};
    return std::nullopt;
}

std::vector<NamedSeries> readoutSeries(QStringView model, QStringView option, int channelCode)
{
    if (isOneOf(model, {u"QOR1000", u"QOR1100", u"QOR500", u"QOR510"}) || (isQor1400Family(model) && channelCode != 0))
        return optionChannels(option);
    if (model == u"QOR1000-Z7")
        return z7Series();
    if (isOneOf(model, {u"QOR1200", u"QOR520"}))
        return withKeys({4, 5, 6, 8, 9, 10});
    if (model == u"QOR1300")
        return withKeys({12, 13, 14, 15, 16, 17, 18, 19, 20});
    if (isQor1400Family(model))
        return numberedChannels(3);
    return {};
}

std::array<ChannelName, 3> settingsChannelNames(QStringView model, bool allChannels)
{
    using Names = std::array<ChannelName, 3>;
    if (isOneOf(model, {u"QOR500", u"QOR510"}))
        return Names{{{QStringLiteral("CH1"), 0}, {QStringLiteral("CH2"), 0}, {}}};
    if (isOneOf(model, {u"QOR1200", u"QOR520"}))
        return Names{{{{}, 3}, {{}, 4}, {}}};
    if (model == u"QOR1300")
        return Names{{{{}, 5}, {{}, 6}, {{}, 7}}};
    if (isQor1400Family(model) && allChannels)
        return Names{{{QStringLiteral("CH1 "), 3}, {QStringLiteral("CH2 "), 3}, {QStringLiteral("CH3 "), 3}}};
    if (isOneOf(model, {u"QOR1000", u"QOR1100", u"QOR1000-Z7"}) || isQor1400Family(model))
        return Names{{{{}, 3}, {}, {}}};
    return Names{{{QStringLiteral("CH1"), 0}, {QStringLiteral("CH2"), 0}, {QStringLiteral("CH3"), 0}}};
}

} // namespace qor::models
