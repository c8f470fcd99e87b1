// Prints what the platform can do: variants and arrays, a late-bound call
// with a by-reference argument on an object from a server library, Format.
#include <iostream>
#include <memory>
#include <string>

#include "Automation.h"
#include "ComObj.h"
#include "DynLib.h"
#include "Format.h"
#include "Registry.h"
#include "Variant.h"

namespace {

void ShowVariants() {
  std::cout << "Variants\n";
  const Variant values[] = {Variant("12"), Variant(true), Variant(2.5), Null(), Variant()};
  for (const Variant& value : values) {
    std::string asInteger;
    try {
      asInteger = std::to_string(value.AsInteger());
    } catch (const EVariantError& error) {
      asInteger = error.Message();
    }
    std::cout << "  " << VarTypeAsText(VarType(value)) << " \"" << VarToStr(value)
              << "\" as integer: " << asInteger << "\n";
  }

  Variant table = VarArrayCreate({0, 1, 0, 1}, varVariant);
  table(0, 0) = "A001";
  table(1, 0) = 3;
  table(0, 1) = Variant::OleStr("B002");
  table(1, 1) = 4.5;
  VarArrayRedim(table, 2);
  table(0, 2) = "C003";
  Variant copy = table;
  copy(1, 2) = "only in the copy";
  std::cout << "  array [" << VarArrayLowBound(table, 1) << ".." << VarArrayHighBound(table, 1)
            << ", " << VarArrayLowBound(table, 2) << ".." << VarArrayHighBound(table, 2)
            << "] after resizing its last dimension:\n";
  for (int column = 0; column <= VarArrayHighBound(table, 2); ++column)
    std::cout << "    " << VarToStr(table(0, column)) << " | " << VarToStr(table(1, column))
              << " | copy: " << VarToStr(copy(1, column)) << "\n";
}

void ShowLateBinding() {
  std::cout << "Late binding\n";
  // The registry entry that names the server library of the class; a real
  // installation keeps it in the registry file ($KESR_REGISTRY).
  TRegistryData entries;
  entries.AddValue("HKEY_CLASSES_ROOT\\KesrDemo.Orders", "InprocServer", "KesrDemoServer.dll");
  const auto previous = SetRegistryStore(std::make_shared<TMemoryRegistryStore>(entries));
  const Variant server = CreateOleObject("KesrDemo.Orders");
  SetRegistryStore(previous);

  HMODULE library = LoadLibrary("KesrDemoServer.dll");
  std::cout << "  created " << VarToStr(OleGetProperty(server, "Name")) << " from "
            << GetModuleFileName(library) << "\n";
  FreeLibrary(library);
  Variant rows;
  const Variant answer =
      OleCall(server, "GetBlobField", {VarArrayOf({"S-1001", "S-1002"}), VarRef(rows)});
  std::cout << "  GetBlobField answered \"" << VarToStr(answer) << "\", by reference:\n";
  for (int column = 0; column <= VarArrayHighBound(rows, 2); ++column)
    std::cout << "    " << VarToStr(rows(0, column)) << " -> " << VarToStr(rows(1, column))
              << "\n";
  try {
    OleCall(server, "Print");
  } catch (const EOleError& error) {
    std::cout << "  unknown member: " << error.Message() << "\n";
  }
  try {
    CreateOleObject("Nobody.Knows");
  } catch (const EOleError& error) {
    std::cout << "  unknown class: " << error.Message() << "\n";
  }
}

void ShowFormat() {
  std::cout << "Format\n";
  std::cout << "  " << Format("%s: %.4d pages, %5.1f%%", {Variant("订单"), Variant("12"), 99.5})
            << "\n";
  try {
    Format("%d", {"x"});
  } catch (const Exception& error) {
    std::cout << "  mismatch: " << error.ClassName() << ": " << error.Message() << "\n";
  }
}

}  // namespace

int main() {
  try {
    ShowVariants();
    ShowLateBinding();
    ShowFormat();
  } catch (const Exception& error) {
    std::cerr << error.ClassName() << ": " << error.Message() << "\n";
    return 1;
  }
  return 0;
}
