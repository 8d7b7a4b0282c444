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

// The name a picture chosen as `chosen` is saved under: as it stands where its extension names a
// format the program can write (".jpg", ".png", ".bmp", ...), otherwise with ".bmp" added.
QString pictureFileName(const QString& chosen);

// Saves `picture` in the format its extension names, BMP where it names none the program can write.
// A failed save leaves any former file as it was and gives the system's reason.
[[nodiscard]] Status savePicture(const QImage& picture, const QString& path);

} // namespace qor::output
