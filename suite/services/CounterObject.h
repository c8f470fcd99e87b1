#pragma once
// The counter object: the company's system settings and the counter
// routines ("SimpleSql"), answered by the application server.
//   GetSysInfo(var company)                 -> [0..1, 0..n] names and values
//   GetCounter(name, var params, [company, data source]) -> the routine's answer
#include "AutoObject.h"
#include "ServerLink.h"

class TCounterObject final : public TAutoObject {
public:
  explicit TCounterObject(const THostServiceSettings& Settings);

private:
  THostServerLink FLink;
};
