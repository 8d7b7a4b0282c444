#include "plotdata.h"

#include "data/datetime.h"

namespace plotdata {

double startSerial()
{
    return qor::datetime::dateSerial(2024, 5, 1);
}

qor::TimePtr secondsFromStart(qsizetype count)
{
    qor::NumberArray times(static_cast<std::size_t>(count));
    const std::int64_t start = qor::datetime::secondsFromSerial(startSerial());
    for (qsizetype i = 0; i < count; ++i)
        times[static_cast<std::size_t>(i)] = qor::datetime::serialFromSeconds(start + i);
    return std::make_shared<const qor::TimeColumn>(std::move(times));
}

qor::ColumnPtr values(qsizetype count, const std::function<double(qsizetype)>& valueAt)
{
    qor::NumberArray numbers(static_cast<std::size_t>(count));
    for (qsizetype i = 0; i < count; ++i)
        numbers[static_cast<std::size_t>(i)] = valueAt(i);
    return std::make_shared<const qor::DoubleColumn>(std::move(numbers));
}

qsizetype countColor(const QImage& image, const QColor& color, int left, int right, int top, int bottom)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    right = right < 0 ? rgb.width() : right;
    bottom = bottom < 0 ? rgb.height() : bottom;
    const QRgb wanted = color.rgb();
    qsizetype count = 0;
    for (int y = std::max(0, top); y < std::min(bottom, rgb.height()); ++y) {
        for (int x = std::max(0, left); x < std::min(right, rgb.width()); ++x)
            count += rgb.pixel(x, y) == wanted ? 1 : 0;
    }
    return count;
}

} // namespace plotdata
