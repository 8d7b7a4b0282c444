#include "loadeddataset.h"

#include <stdexcept>

namespace qor {

void SlotData::setModel(const QString& name)
{
    m_modelName = name;
    m_traits = &models::traitsOf(name);
}

void SlotData::clearRecords()
{
    RecordCount = 0;
    TraceData = {};
    FirstTime.reset();
    LastTime.reset();
}

SlotData& LoadedDataSet::slot(int number)
{
    if (number < 1 || number > SlotCount)
        throw std::out_of_range("file slot " + std::to_string(number) + " is outside 1..3");
    return m_slots[static_cast<std::size_t>(number - 1)];
}

const SlotData& LoadedDataSet::slot(int number) const
{
    return const_cast<LoadedDataSet*>(this)->slot(number);
}

} // namespace qor
