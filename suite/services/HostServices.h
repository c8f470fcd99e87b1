#pragma once
// The host's service objects that a session hands to the modules: the
// counter (system settings and counter queries), the validator (named
// table queries) and the look-up window (F2 look-ups, stock phrases, the
// date picker). Each works against the ERP database through the
// application server: over TCP at ServerAddress:ServerPort, or in process
// (the server class ServerName created as a local object) when the address
// is "127.0.0.1". The server session is opened on the first call and kept
// for the object's life.
//
// Without a person at the screen the look-up window and the date picker
// answer through the application's modal driver: the look-up rows are a
// modal list whose answer is the chosen row, the date picker a modal whose
// answer is the date text.
#include <string>
#include <vector>

#include "Variant.h"

struct THostServiceSettings {
  std::string UserCode, CompanyCode, DataSource, ServerAddress;
  int ServerPort = 211;
  std::string ServerName = "ZovizerE.Class1";
  // The program the server session is opened for.
  std::string ProgramCode = "HOST";
  // The user's stock phrases that GetPhrase offers.
  std::vector<std::string> Phrases;
};

Variant CreateCounterObject(const THostServiceSettings& Settings);
Variant CreateValidatorObject(const THostServiceSettings& Settings);
Variant CreateLookupWindowObject(const THostServiceSettings& Settings);
