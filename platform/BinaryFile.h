#pragma once
// Whole-file reads and writes for the picture codecs and writers.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Raises EFOpenError when the file cannot be read.
std::vector<std::uint8_t> ReadBinaryFile(const std::string& path);
// Replaces the file; raises EFCreateError when it cannot be written. A failed
// write removes the partial file so that no truncated picture is left behind.
void WriteBinaryFile(const std::string& path, const void* data, std::size_t size);
inline void WriteBinaryFile(const std::string& path, const std::vector<std::uint8_t>& data) {
  WriteBinaryFile(path, data.data(), data.size());
}
