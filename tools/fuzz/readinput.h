#pragma once

#include <QStringView>

#include <cstddef>
#include <cstdint>

// What the fuzz targets share: each fuzzer input becomes a recorded file, since the readers take
// paths, and is read the way the dump command reads a file.
namespace qor::fuzz {

// Reads the bytes as a recorded file with the extension (header, then records) and aborts when the
// slot breaks what the windows rely on: a read that succeeds leaves records in every column, one
// that fails leaves none.
void readRecording(QStringView extension, const std::uint8_t* data, std::size_t size);

// Recognises the model from the bytes as the header of a file with the extension.
void readHeader(QStringView extension, const std::uint8_t* data, std::size_t size);

} // namespace qor::fuzz
