#include "DLLFunc.h"

const TClass* DLLControllerClass = nullptr;

extern "C" TDLLBaseController* GetController() {
  if (!DLLControllerClass) throw Exception("ZNT DLL Internal Error :\rNot Assign \"DLLControllerClass\" varible");
  TObject* instance = DLLControllerClass->CreateInstance(nullptr);
  if (auto* controller = dynamic_cast<TDLLBaseController*>(instance)) return controller;
  delete instance;
  throw Exception("ZNT DLL Internal Error :\r\"DLLControllerClass\" is not a controller class");
}
