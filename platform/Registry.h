#pragma once
// Read-only registry. The suite's keys live in a plain text file:
//
//   ; comment
//   [HKEY_LOCAL_MACHINE\Software\ZNT\Orvane]
//   ClientPath=/opt/orvane/client/
//   ProfileType=1
//
// Key paths and value names compare without regard to case; a value is the
// text after the first "=" as it stands; the first occurrence of a key or
// value wins; other lines are ignored. The file is $KESR_REGISTRY, else
// /etc/kesr/registry. It is read anew on every OpenKeyReadOnly, and a
// missing file behaves as an empty registry.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

using HKEY = std::uint32_t;
constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
constexpr HKEY HKEY_USERS = 0x80000003;

// "HKEY_LOCAL_MACHINE" etc.; "" for an unknown root.
std::string RegistryRootName(HKEY root);

// A snapshot of the store: full key paths ("HKEY_LOCAL_MACHINE\Software\...")
// with their values.
class TRegistryData {
public:
  struct TNameLess {
    bool operator()(const std::string& left, const std::string& right) const;
  };
  using TValues = std::map<std::string, std::string, TNameLess>;

  static TRegistryData Parse(const std::string& text);
  // Keeps an existing value, as a later duplicate in a file does not count.
  void AddValue(const std::string& keyPath, const std::string& name, const std::string& value);
  void AddKey(const std::string& keyPath);
  const TValues* FindKey(const std::string& keyPath) const;
  // A key exists when it has been named or when one of its subkeys has.
  bool KeyExists(const std::string& keyPath) const;

private:
  std::map<std::string, TValues, TNameLess> FKeys;
};

class IRegistryStore {
public:
  virtual ~IRegistryStore() = default;
  virtual TRegistryData Load() const = 0;
};

class TRegistryFileStore : public IRegistryStore {
public:
  explicit TRegistryFileStore(std::string fileName) : FFileName(std::move(fileName)) {}
  TRegistryData Load() const override;

private:
  std::string FFileName;
};

class TMemoryRegistryStore : public IRegistryStore {
public:
  explicit TMemoryRegistryStore(TRegistryData data) : FData(std::move(data)) {}
  TRegistryData Load() const override { return FData; }

private:
  TRegistryData FData;
};

// $KESR_REGISTRY, else /etc/kesr/registry.
std::string RegistryFileName();
// The process-wide store TRegistry reads (default: the file store above).
// Returns the previous store; nullptr restores the default.
std::shared_ptr<IRegistryStore> SetRegistryStore(std::shared_ptr<IRegistryStore> store);

class TRegistry {
public:
  TRegistry() = default;
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  HKEY RootKey = HKEY_CURRENT_USER;

  // Key is relative to RootKey; leading and trailing "\" do not matter.
  // False when the key does not exist (or the store cannot be read).
  bool OpenKeyReadOnly(const std::string& key);
  void CloseKey();
  bool KeyExists(const std::string& key) const;
  // Values of the open key; "" / false when no key is open.
  bool ValueExists(const std::string& name) const;
  std::string ReadString(const std::string& name) const;
  std::vector<std::string> GetValueNames() const;
  const std::string& CurrentPath() const noexcept { return FCurrentPath; }

private:
  std::string FullPath(const std::string& key) const;

  std::string FCurrentPath;
  TRegistryData::TValues FValues;
  bool FOpen = false;
};
