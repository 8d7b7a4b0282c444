#pragma once

#include "data/status.h"

#include <QImage>
#include <QString>

namespace qor {
class GraphWindow;
}

namespace qor::output {

// The capture of a graph window: its three information lines at Y 100, 400 and 700 twips over the
// graph at Y 1000, on white, as wide as the graph.
QImage capturePicture(const GraphWindow& window);

// Saves `picture` in the format its extension names: JPEG for ".jpg" and ".jpeg", PNG for ".png",
// BMP for ".bmp" and for any other extension or none. A failed save leaves any former file as it was.
[[nodiscard]] Status savePicture(const QImage& picture, const QString& path);

} // namespace qor::output
