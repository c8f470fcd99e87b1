#include "Znlanguage.h"

#include <opencc/opencc.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "CodePage.h"

namespace {

constexpr const char* OpenCCDataDir = "/usr/share/opencc/";

// One OpenCC converter, opened on first use and closed when the library is
// unloaded.
class TScriptConverter {
public:
  explicit TScriptConverter(const char* Config) : FConfig(Config) {}
  ~TScriptConverter() {
    if (FHandle != InvalidHandle()) opencc_close(FHandle);
  }
  TScriptConverter(const TScriptConverter&) = delete;
  TScriptConverter& operator=(const TScriptConverter&) = delete;

  // The text unchanged when OpenCC cannot be opened or fails.
  std::string Convert(const std::string& Utf8) {
    std::lock_guard<std::mutex> lock(FMutex);
    if (!FOpened) {
      FOpened = true;
      FHandle = opencc_open((std::string(OpenCCDataDir) + FConfig).c_str());
      if (FHandle == InvalidHandle()) FHandle = opencc_open(FConfig);
    }
    if (FHandle == InvalidHandle()) return Utf8;
    char* converted = opencc_convert_utf8(FHandle, Utf8.data(), Utf8.size());
    if (!converted) return Utf8;
    std::string result(converted);
    opencc_convert_utf8_free(converted);
    return result;
  }

private:
  static opencc_t InvalidHandle() { return reinterpret_cast<opencc_t>(-1); }

  const char* FConfig;
  std::mutex FMutex;
  bool FOpened = false;
  opencc_t FHandle = InvalidHandle();
};

TScriptConverter& SimplifiedToTraditional() {
  static TScriptConverter converter("s2tw.json");
  return converter;
}

TScriptConverter& TraditionalToSimplified() {
  static TScriptConverter converter("tw2s.json");
  return converter;
}

// The answer handed to each calling thread, kept until that thread's next
// call. A map rather than thread_local storage: dynamic TLS of a library
// loaded at run time breaks the leak checker's thread scan.
std::string& AnswerOfThisThread() {
  static std::mutex lock;
  static std::map<std::thread::id, std::string> answers;
  std::lock_guard<std::mutex> guard(lock);
  return answers[std::this_thread::get_id()];  // node-based: the reference stays valid
}

const char* Convert(const char* Text, TScriptConverter& Converter, const char* From, const char* To) {
  std::string& result = AnswerOfThisThread();
  try {
    result = Utf8ToLegacy(Converter.Convert(LegacyToUtf8(Text ? Text : "", From)), To);
  } catch (const std::exception&) {
    result = Text ? Text : "";
  }
  return result.c_str();
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) const char* GBtoBIG5(const char* Text) {
  return Convert(Text, SimplifiedToTraditional(), "936", "950");
}

__attribute__((visibility("default"))) const char* BIG5toGB(const char* Text) {
  return Convert(Text, TraditionalToSimplified(), "950", "936");
}

}  // extern "C"
