#pragma once
// Data of a persistent object that its property table cannot express (the
// lines of a list, a picture's bytes) is streamed under names the object
// defines in DefineProperties: the reader calls Read with the stored value,
// the writer stores Write() when HasData says there is something to keep.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ClassRegistry.h"
#include "FormValue.h"

class TPersistent;

class TFiler {
public:
  using TReadProc = std::function<void(const TFormValue&)>;
  using TWriteProc = std::function<TFormValue()>;

  explicit TFiler(const TPersistent* ancestor = nullptr) : FAncestor(ancestor) {}
  virtual ~TFiler() = default;

  virtual void DefineProperty(const std::string& name, TReadProc read, TWriteProc write, bool hasData) = 0;
  void DefineBinaryProperty(const std::string& name, std::function<void(const std::vector<std::uint8_t>&)> read,
                            std::function<std::vector<std::uint8_t>()> write, bool hasData);
  // While writing, the same object of the instance the text is the difference
  // against (nullptr when there is none, and while reading).
  const TPersistent* Ancestor() const { return FAncestor; }

private:
  const TPersistent* FAncestor;
};
