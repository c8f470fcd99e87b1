#pragma once
// The desktop shell: opening a file with the program associated with it
// and showing a file's properties. Callers go through Shell(), which tests
// may point at their own implementation.
#include <iosfwd>
#include <string>
#include <vector>

class TShell {
public:
  virtual ~TShell() = default;
  // True when the file was handed to its program (or recorded for it).
  virtual bool OpenDocument(const std::string& fileName) = 0;
  // Shows the name, size and modification time; false when the file is missing.
  virtual bool ShowProperties(const std::string& fileName) = 0;
};

// With a desktop (DISPLAY or WAYLAND_DISPLAY set) files are opened with
// xdg-open; without one they are recorded, with a line on the error
// stream, and nothing is started. Properties are written to `out`.
class TDesktopShell : public TShell {
public:
  explicit TDesktopShell(std::ostream& out, std::ostream& err);
  TDesktopShell();
  bool OpenDocument(const std::string& fileName) override;
  bool ShowProperties(const std::string& fileName) override;
  // Files recorded while no desktop was present, in order.
  const std::vector<std::string>& RecordedFiles() const { return FRecorded; }

private:
  std::ostream& FOut;
  std::ostream& FErr;
  std::vector<std::string> FRecorded;
};

// The facts ShowProperties prints, one "Label: value" line each.
std::string FileProperties(const std::string& fileName);

// The current shell (a TDesktopShell on the standard streams unless replaced).
TShell& Shell();
// Replaces the shell, nullptr restoring the default; returns the previous
// replacement (not owned).
TShell* SetShell(TShell* shell);
