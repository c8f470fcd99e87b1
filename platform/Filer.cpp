#include "Filer.h"

void TFiler::DefineBinaryProperty(const std::string& name,
                                  std::function<void(const std::vector<std::uint8_t>&)> read,
                                  std::function<std::vector<std::uint8_t>()> write, bool hasData) {
  DefineProperty(
      name,
      [read = std::move(read)](const TFormValue& value) {
        if (value.Kind != TFormValueKind::Binary) throw EFilerError("Binary data expected");
        read(value.Bytes);
      },
      [write = std::move(write)] { return TFormValue::OfBinary(write()); }, hasData);
}
