#include "Registry.h"

#include <cstdlib>
#include <fstream>
#include <mutex>
#include <sstream>
#include <utility>

#include "StrUtils.h"

namespace {

// Key paths compare without the separators at either end.
std::string NormalizeKey(const std::string& keyPath) {
  const std::size_t first = keyPath.find_first_not_of('\\');
  if (first == std::string::npos) return {};
  const std::size_t last = keyPath.find_last_not_of('\\');
  return keyPath.substr(first, last - first + 1);
}

std::mutex StoreLock;
std::shared_ptr<IRegistryStore> CurrentStore;

std::shared_ptr<IRegistryStore> Store() {
  std::lock_guard lock(StoreLock);
  if (CurrentStore) return CurrentStore;
  return std::make_shared<TRegistryFileStore>(RegistryFileName());
}

}  // namespace

std::string RegistryRootName(HKEY root) {
  switch (root) {
    case HKEY_CLASSES_ROOT: return "HKEY_CLASSES_ROOT";
    case HKEY_CURRENT_USER: return "HKEY_CURRENT_USER";
    case HKEY_LOCAL_MACHINE: return "HKEY_LOCAL_MACHINE";
    case HKEY_USERS: return "HKEY_USERS";
    default: return {};
  }
}

bool TRegistryData::TNameLess::operator()(const std::string& left,
                                          const std::string& right) const {
  return CompareText(left, right) < 0;
}

TRegistryData TRegistryData::Parse(const std::string& text) {
  TRegistryData data;
  std::istringstream lines(text);
  std::string line;
  std::string key;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#') continue;
    if (trimmed.front() == '[' && trimmed.back() == ']') {
      key = NormalizeKey(trimmed.substr(1, trimmed.size() - 2));
      data.AddKey(key);
      continue;
    }
    const std::size_t equals = line.find('=');
    if (key.empty() || equals == std::string::npos) continue;
    data.AddValue(key, Trim(line.substr(0, equals)), line.substr(equals + 1));
  }
  return data;
}

void TRegistryData::AddKey(const std::string& keyPath) { FKeys[NormalizeKey(keyPath)]; }

void TRegistryData::AddValue(const std::string& keyPath, const std::string& name,
                             const std::string& value) {
  FKeys[NormalizeKey(keyPath)].emplace(name, value);
}

const TRegistryData::TValues* TRegistryData::FindKey(const std::string& keyPath) const {
  auto found = FKeys.find(NormalizeKey(keyPath));
  return found == FKeys.end() ? nullptr : &found->second;
}

bool TRegistryData::KeyExists(const std::string& keyPath) const {
  const std::string key = NormalizeKey(keyPath);
  if (key.empty()) return false;
  if (FKeys.contains(key)) return true;
  // Every subkey sorts at or after "key\", and they all sort together.
  const std::string prefix = key + "\\";
  auto found = FKeys.lower_bound(prefix);
  return found != FKeys.end() && found->first.size() > prefix.size() &&
         SameText(std::string_view(found->first).substr(0, prefix.size()), prefix);
}

TRegistryData TRegistryFileStore::Load() const {
  std::ifstream file(FFileName, std::ios::binary);
  if (!file) return {};
  std::ostringstream text;
  text << file.rdbuf();
  return TRegistryData::Parse(text.str());
}

std::string RegistryFileName() {
  const char* fileName = std::getenv("KESR_REGISTRY");
  return fileName && *fileName ? fileName : "/etc/kesr/registry";
}

std::shared_ptr<IRegistryStore> SetRegistryStore(std::shared_ptr<IRegistryStore> store) {
  std::lock_guard lock(StoreLock);
  return std::exchange(CurrentStore, std::move(store));
}

std::string TRegistry::FullPath(const std::string& key) const {
  const std::string root = RegistryRootName(RootKey);
  const std::string relative = NormalizeKey(key);
  if (root.empty()) return {};
  return relative.empty() ? root : root + "\\" + relative;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
  CloseKey();
  const std::string path = FullPath(key);
  if (path.empty()) return false;
  const TRegistryData data = Store()->Load();
  const TRegistryData::TValues* values = data.FindKey(path);
  if (!values && !data.KeyExists(path)) return false;
  if (values) FValues = *values;
  FCurrentPath = NormalizeKey(key);
  FOpen = true;
  return true;
}

void TRegistry::CloseKey() {
  FValues.clear();
  FCurrentPath.clear();
  FOpen = false;
}

bool TRegistry::KeyExists(const std::string& key) const {
  const std::string path = FullPath(key);
  return !path.empty() && Store()->Load().KeyExists(path);
}

bool TRegistry::ValueExists(const std::string& name) const {
  return FOpen && FValues.contains(name);
}

std::string TRegistry::ReadString(const std::string& name) const {
  if (!FOpen) return {};
  auto found = FValues.find(name);
  return found == FValues.end() ? std::string() : found->second;
}

std::vector<std::string> TRegistry::GetValueNames() const {
  std::vector<std::string> names;
  for (const auto& [name, value] : FValues) names.push_back(name);
  return names;
}
