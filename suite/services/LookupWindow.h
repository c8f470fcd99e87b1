#pragma once
// The look-up window (F2): the rows of a named query shown for choosing,
// the user's stock phrases, and the date picker.
//   F2GetData([table, kind, keys, multi, extra text, company, data source,
//              window, 1, false, product, "", "", "", data limits,
//              flag 8, flag 7, session, user])
//       -> the chosen rows [[...], ...]; Unassigned when nothing matches or
//          the user cancels
//   GetPhrase(var user, var data source, window) -> the phrase, or ""
//   ShowInputDay([ROC calendar, start "YYYYMMDD", data source])
//       -> the chosen day "YYYYMMDD", or ""
#include "AutoObject.h"
#include "ServerLink.h"

class TLookupWindowObject final : public TAutoObject {
public:
  static constexpr int F2ArgumentCount = 19;

  explicit TLookupWindowObject(const THostServiceSettings& Settings);

private:
  Variant F2GetData(const Variant& Request);
  Variant GetPhrase();
  Variant ShowInputDay(const Variant& Request);

  THostServerLink FLink;
};
