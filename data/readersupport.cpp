#include "readersupport.h"

namespace qor::readers {

void storeRecords(SlotData& slot, TimeColumn times, const ReadColumns& columns)
{
    const auto count = static_cast<qsizetype>(times.size());
    TraceColumns data;
    data.values = TraceColumns::blankValues(count);
    for (std::size_t k = 0; k < columns.size(); ++k) {
        if (columns[k])
            data.values[k] = columns[k];
    }
    data.TimeValue = std::make_shared<const TimeColumn>(std::move(times));
    slot.RecordCount = static_cast<qint32>(count);
    slot.TraceData = std::move(data);
    slot.FirstTime = slot.TraceData.TimeValue->front();
    slot.LastTime = slot.TraceData.TimeValue->back();
}

QString fileNameOf(const QString& path)
{
    const qsizetype separator = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(separator + 1);
}

Status unreadable(const QFileDevice& file)
{
    return Status::failure(StatusCode::Unreadable, file.errorString() + u'.');
}

Status notReadToEnd()
{
    return Status::failure(StatusCode::Unreadable, QStringLiteral("The file could not be read to its end."));
}

Status stoppedEarly(const BusyNotice* busy)
{
    return busy && busy->cancelled() ? Status::cancelled() : notReadToEnd();
}

Status tooManyRecords()
{
    return Status::failure(StatusCode::TooLarge, QStringLiteral("The file holds more records than can be shown."));
}

} // namespace qor::readers
