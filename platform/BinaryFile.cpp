#include "BinaryFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "Exceptions.h"

namespace {
struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;
}  // namespace

std::vector<std::uint8_t> ReadBinaryFile(const std::string& path) {
  FilePtr file(std::fopen(path.c_str(), "rb"));
  if (!file)
    throw EFOpenError("Cannot open file \"" + path + "\". " + std::strerror(errno));
  std::vector<std::uint8_t> data;
  std::uint8_t chunk[65536];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) data.insert(data.end(), chunk, chunk + n);
  if (std::ferror(file.get()))
    throw EFOpenError("Cannot read file \"" + path + "\". " + std::strerror(errno));
  return data;
}

void WriteBinaryFile(const std::string& path, const void* data, std::size_t size) {
  FilePtr file(std::fopen(path.c_str(), "wb"));
  if (!file)
    throw EFCreateError("Cannot create file \"" + path + "\". " + std::strerror(errno));
  bool ok = std::fwrite(data, 1, size, file.get()) == size;
  ok = (std::fclose(file.release()) == 0) && ok;
  if (!ok) {
    int error = errno;
    std::remove(path.c_str());
    throw EFCreateError("Cannot write file \"" + path + "\". " + std::strerror(error));
  }
}
