#pragma once
// The module's single export and the class it creates.
#include "ClassRegistry.h"
#include "DLLBaseCtrller.h"

// The controller class GetController creates; set once while the module loads.
extern const TClass* DLLControllerClass;

// A new controller for each call; raises Exception when no controller class
// was registered.
extern "C" TDLLBaseController* GetController();
using TGetController = TDLLBaseController* (*)();
constexpr const char* GetControllerName = "GetController";
