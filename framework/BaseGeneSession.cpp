// Server session and data access of the option form: the connection to the
// application server, the late-bound calls on the host's counter, validator
// and look-up window, the user's rights, and server-side module libraries.
// Parameters go out in the database's code page and answers come back
// converted for display once the form itself is.
#include "BaseGene.h"

#include <memory>

#include "Automation.h"
#include "ComObj.h"
#include "DynLib.h"
#include "LibStrs.h"
#include "OrvaneINI.h"
#include "Paths.h"
#include "ServerModule.h"
#include "SimpleObjectBroker.h"
#include "SocketConnection.h"
#include "StrUtils.h"
#include "VarArray.h"

namespace {

// The rights string grants right N (from 1) with "Y"; the two flags at 7 and
// 8 hold unless their character is "N", a missing one counting as "N".
bool RightsFlagAt(const std::string& Rights, std::size_t N) {
  return Rights.size() >= N && Rights[N - 1] != 'N';
}

Variant ShownAfterConversion(const TfrmBaseGene& Form, const Variant& Value) {
  return Form.Converted() ? Form.ZnConverter->DBToScreen(Value) : Value;
}

// The host's file-list text for a server library; empty when the session
// cannot tell, so the file check decides on the local copy alone.
std::string HostFileList(const Variant& Session, const std::string& FileName) {
  try {
    return VarToStr(OleCall(Session, "GetFileList", {VarArrayOf({LowerCase(FileName)})}));
  } catch (const std::exception&) {
    return {};
  }
}

struct TLibraryFree {
  void operator()(void* Module) const { FreeLibrary(Module); }
};
using TLibraryHandle = std::unique_ptr<void, TLibraryFree>;

}  // namespace

bool TfrmBaseGene::SetUpConnection(TSocketConnection* Connection, TSimpleObjectBroker*) {
  try {
    Connection->Close();
    std::string Problem;
    {
      TOrvaneIniC Ini;
      Ini.ReadConfig();
      if (!MessageCodes.empty()) {
        Problem = MessageCodes;
      } else if (VarIsArray(Ini.ServerList) && VarArrayDimCount(Ini.ServerList) == 2 &&
                 VarArrayHighBound(Ini.ServerList, 2) >= VarArrayLowBound(Ini.ServerList, 2)) {
        // Only the first server of the list is used.
        const int First = VarArrayLowBound(Ini.ServerList, 2);
        Connection->SetAddress(VarToStr(Ini.ServerList(0, First)));
        Connection->SetObjectBroker(nullptr);
        Connection->SetPort(Ini.ServerList(1, First).AsInteger());
      }
    }
    if (!Problem.empty()) ShowMessageCodes(Problem);
    return Problem.empty();
  } catch (const std::exception& E) {
    RecordError(E.what());
    return false;
  }
}

bool TfrmBaseGene::ObtainAppServer() {
  try {
    AppServer = Unassigned();
    if (MainMidas->Connected()) MainMidas->Close();
    UseComServer = IsLoopbackAddress(MainMidas->Address());
    if (UseComServer) {
      // On the same machine the server class runs in process; no socket.
      const Variant Server = CreateOleObject(MainMidas->ServerName());
      MainMidas->SetAppServer(Server);
      AppServer = Server;
    } else {
      MainMidas->Open();
      if (MainMidas->Connected()) AppServer = MainMidas->AppServer();
    }
    return true;
  } catch (const std::exception& E) {
    RecordError(E.what());
    return false;
  }
}

bool TfrmBaseGene::QueryTable(const std::string& Table, const std::string& QueryKey, bool MultiRow,
                              Variant& Result, const Variant& Params) {
  Variant Sent = ZnConverter->ScreenToDB(Params);
  bool Found = false;
  if (!VarIsEmpty(FValidatorObject)) {
    try {
      // Validators that do not know these settings still answer queries.
      try {
        OleSetProperty(FValidatorObject, "ProductID", static_cast<int>(ProductIDValue));
      } catch (const std::exception&) {
      }
      try {
        OleSetProperty(FValidatorObject, "BaseLimited", Variant::OleStr(DataLimits));
      } catch (const std::exception&) {
      }
      Variant TableArg = Table, KeyArg = QueryKey, SourceArg = DataSource;
      Found = OleCall(FValidatorObject, MultiRow ? "QueryData" : "CheckValue",
                      {VarRef(TableArg), VarRef(KeyArg), VarRef(SourceArg), VarRef(Sent), VarRef(Result)})
                  .AsBoolean();
    } catch (const std::exception&) {
      Found = false;
    }
  }
  Result = ShownAfterConversion(*this, Result);
  return Found;
}

void TfrmBaseGene::CounterQuery(const std::string& Name, Variant& Params, Variant& Result) {
  Result = Unassigned();
  if (VarIsEmpty(FCounterObject)) return;
  try {
    Result = OleCall(FCounterObject, "GetCounter",
                     {UpperCase(Name), VarRef(Params), VarArrayOf({CompanyCode, DataSource})});
  } catch (const std::exception& E) {
    // The counter is the host's: its failure is recorded, not raised into the caller's handler.
    Result = Unassigned();
    RecordError(E.what());
  }
  Result = ShownAfterConversion(*this, Result);
}

void TfrmBaseGene::LookUp(const std::string& Table, const std::string& Kind, const Variant& Keys,
                          const std::string& ExtraText, bool Flag, Variant& Result) {
  Result = Unassigned();
  if (VarIsEmpty(FLookupObject)) return;
  const Variant Request = VarArrayOf({
      Table,
      Kind,
      ZnConverter->ScreenToDB(Keys),
      Flag,
      ZnConverter->ScreenToDB(ExtraText),
      CompanyCode,
      DataSource,
      static_cast<long long>(Handle()),
      1,
      false,
      static_cast<int>(ProductIDValue),
      "",
      "",
      "",
      DataLimits,
      RightsFlag8,
      RightsFlag7,
      FSession,
      UserCode,
  });
  try {
    Result = ShownAfterConversion(*this, OleCall(FLookupObject, "F2GetData", {Request}));
  } catch (const std::exception& E) {
    Result = Unassigned();
    RecordError(E.what());
  }
}

void TfrmBaseGene::PickPhrase(TControl* Control) {
  if (VarIsEmpty(FLookupObject) || !Control) return;
  std::string Phrase;
  try {
    Variant User = UserCode, Source = DataSource;
    Phrase = VarToStr(ShownAfterConversion(
        *this, OleCall(FLookupObject, "GetPhrase",
                       {VarRef(User), VarRef(Source), static_cast<long long>(Handle())})));
  } catch (const std::exception& E) {
    RecordError(E.what());
    return;
  }
  if (!Phrase.empty()) Control->SetText(Phrase);
}

void TfrmBaseGene::LoadRights(const Variant& Answer) {
  const std::string Fields = VarToStr(Answer[1]);
  RightsName = GetPiece(Fields, ",", 1);
  RightsFlag1 = GetPiece(Fields, ",", 2) == "Y";
  RightsFlag2 = GetPiece(Fields, ",", 3) == "Y";
  RightsString = GetPiece(Fields, ",", 4);
  RightsText5 = GetPiece(Fields, ",", 5);
  RightsText6 = GetPiece(Fields, ",", 6);
  RightsData = VarToStr(Answer[2]);
  UserGroup = VarToStr(Answer[3]);
  RightsFlag7 = RightsFlagAt(RightsString, 7);
  RightsFlag8 = RightsFlagAt(RightsString, 8);
  DataLimits = JoinVarListText(VarToStr(Answer[4]), Answer[5]);
  RightsLoaded();
}

namespace {

// The library of a server-side module: the first folder whose copy exists
// and passes the file check, else the package folder (or the first one) if
// its copy passes. Empty when none may be used; ErrorText tells why.
std::string FindServerLibrary(const Variant& Session, const std::string& ModuleName, const TStrings& Folders,
                              std::string& ErrorText) {
  const std::string FileName = ModuleName + "S.DLL";
  auto Accepted = [&](const std::string& Folder) {
    const std::string Path = NativeLibraryName(Folder + FileName);
    return CheckModuleFile(HostFileList(Session, FileName), Path, ErrorText, true);
  };
  for (int i = 0; i < Folders.Count(); ++i) {
    if (FileExists(NativeLibraryName(Folders[i] + FileName)) && Accepted(Folders[i]))
      return NativeLibraryName(Folders[i] + FileName);
  }
  if (Folders.Count() == 0) {
    ErrorText = "No server folder for " + FileName;
    return {};
  }
  std::string Fallback = Folders[0];
  for (int i = 0; i < Folders.Count(); ++i) {
    if (UpperCase(Folders[i]).find("S_PKG") != std::string::npos) {
      Fallback = Folders[i];
      break;
    }
  }
  return Accepted(Fallback) ? NativeLibraryName(Fallback + FileName) : std::string();
}

}  // namespace

bool TfrmBaseGene::RunServerModule(const std::string& ModuleName, const std::string& RunKind,
                                   const Variant& Params) {
  Application->ProcessMessages();
  bool Done = false;
  try {
    TStringList Folders;
    {
      TOrvaneIniS Ini;
      Ini.ReadConfig();
      Ini.GetWorkDLLPaths(Folders);
    }
    std::string ErrorText;
    const std::string Path = FindServerLibrary(FSession, ModuleName, Folders, ErrorText);
    if (Path.empty()) {
      if (!ErrorText.empty()) RecordError(ErrorText);
    } else if (TLibraryHandle Library{LoadLibrary(Path)}; !Library) {
      RecordError(GetLastErrorText());
    } else if (auto* GetController =
                   reinterpret_cast<TGetSvrController*>(GetProcAddress(Library.get(), GetSvrControllerName));
               !GetController) {
      RecordError(Path + ": no export " + GetSvrControllerName);
    } else if (ISvrController* Controller = GetController()) {
      const std::string Kind = UpperCase(RunKind);
      const Variant Args =
          Kind == "B"
              ? VarArrayOf({UserCode, CompanyCode, DataSource, ProgramCode, Params,
                            static_cast<int>(ProductIDValue), FSession})
              : VarArrayOf({UserCode, CompanyCode, DataSource, ProgramCode, Params,
                            static_cast<int>(ProductIDValue), FSession, Kind,
                            static_cast<int>(VersionTypeValue), static_cast<long long>(HostWindow), ModulePath,
                            GetUICodePage()});
      try {
        Controller->Execute(Args);
        Done = true;
      } catch (const std::exception& E) {
        RecordError(E.what());
      }
      Controller->Finish();
    }
  } catch (const std::exception& E) {
    RecordError(E.what());
    Done = false;
  }
  Application->ProcessMessages();
  return Done;
}
