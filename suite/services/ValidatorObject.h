#pragma once
// The validator: named queries by table and query key ("ADMMB" "01",
// "WARRANT" "03", ...), answered by the application server.
//   ProductID, BaseLimited                  properties the caller puts first
//   QueryData(var table, var key, var data source, var params, var result)
//       -> true; the rows in result (Null when none)
//   CheckValue(the same)
//       -> true with the one record in result, false when none
#include <string>

#include "AutoObject.h"
#include "ServerLink.h"

class TValidatorObject final : public TAutoObject {
public:
  explicit TValidatorObject(const THostServiceSettings& Settings);

  int ProductID() const { return FProductID; }
  const std::string& BaseLimited() const { return FBaseLimited; }

private:
  Variant Query(const char* Member, TVarArgs& Args);

  THostServerLink FLink;
  int FProductID = 0;
  std::string FBaseLimited;
};
