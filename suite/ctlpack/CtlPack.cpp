#include "CtlPack.h"

#include "ClassRegistry.h"
#include "ZNQRDBText.h"
#include "ZnQRDBBarcode.h"

void RegisterCtlPackClasses() {
  RegisterClasses({&TZNQRDBText::StaticClass(), &TZnQRDBBarcode::StaticClass()});
}

void UnregisterCtlPackClasses() {
  UnRegisterClass(TZNQRDBText::StaticClass());
  UnRegisterClass(TZnQRDBBarcode::StaticClass());
}
