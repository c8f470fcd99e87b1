#pragma once
// A scratch client installation: the suite's registry key pointing at a
// temporary folder, OrvaneC.ini with the code pages a test chooses, the
// system code page, and language files under MultiLanguage/<code>/.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "../../env/tests/EnvFixture.h"
#include "LangCommon.h"

class TL10nFixture : public ::testing::Test {
protected:
  // UICodePage and DBCodePage of OrvaneC.ini; SysCodePage of Windows.
  void Install(const std::string& UICodePage, const std::string& DBCodePage = "936",
               const std::string& SysCodePage = "936") {
    FCodePage.reset();  // the old guard restores its value first
    FCodePage = std::make_unique<TEnvGuard>("KESR_CODEPAGE", SysCodePage.c_str());
    Folder.Write("OrvaneC.ini",
                 "[CodePage]\r\nUICodePage=" + UICodePage + "\r\nDBCodePage=" + DBCodePage + "\r\n");
  }
  // A language file of the installation's language folder for that code page.
  std::string WriteLang(const std::string& Code, const std::string& Package, const std::string& Xml) {
    return Folder.Write("MultiLanguage/" + Code + "/" + Package + ".Lng", Xml);
  }

  TScratchFolder Folder;
  TOrvaneRegistry Registry{{{"ClientPath", Folder.Path()}}};
  TEnvGuard User{"USER", "wang"};
  std::unique_ptr<TEnvGuard> FCodePage;
};
