#pragma once
// Registration of the control package's classes with the component
// streaming, for as long as the module that uses them is loaded.
void RegisterCtlPackClasses();
void UnregisterCtlPackClasses();
