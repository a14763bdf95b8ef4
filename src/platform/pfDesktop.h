// What the program asks of the desktop it runs on. Everything that would block on a person
// (message boxes, file pickers) or change the user's session (wallpaper, launching programs) goes
// through one replaceable service, so the command-line tool and the tests run the real code
// paths without a desktop and can see what would have been shown.
#pragma once

#include <string>
#include <vector>

namespace platform {

enum class MessageKind { Info, Warning, Error };

class Desktop {
 public:
  virtual ~Desktop() = default;
  // Text is 1251; line breaks are "\r\n" as the messages are written.
  virtual void ShowMessage(MessageKind kind, const std::string& text) = 0;
  // A file chosen by the user (1251 path), or empty on cancel.
  virtual std::string PickFile(const std::string& filter) = 0;
  virtual void ShellRun(const std::string& file, const std::string& params, const std::string& verb) = 0;
  virtual void SetWallpaper(const std::string& path, bool tile) = 0;
  virtual bool HasDefaultPrinter() = 0;
  virtual void SetBusy(bool on) = 0;
  // False where nobody sits at the screen (the tool, the tests): modal windows are then built and
  // shown but not waited for, and ending the program is only recorded.
  virtual bool Interactive() { return true; }
  // Ends the program with `code` once its windows have closed and saved what they hold.
  virtual void Quit(int code) = 0;
};

// The service in force; a Qt desktop unless SetDesktop installed another.
Desktop& desktop();

// Installs `replacement` (not owned; nullptr restores the default) and returns the one it replaced.
Desktop* SetDesktop(Desktop* replacement);

// Shorthand for the most frequent call.
inline void ShowMessage(const std::string& text, MessageKind kind = MessageKind::Info) {
  desktop().ShowMessage(kind, text);
}

// A desktop for tools and tests: messages are kept (and optionally echoed to stderr as UTF-8),
// dialogs are answered from fields, nothing reaches the real session.
class RecordingDesktop : public Desktop {
 public:
  struct Message {
    MessageKind kind;
    std::string text;
  };
  std::vector<Message> messages;
  std::string pickAnswer;
  std::string lastPickFilter;
  std::vector<std::string> shellRuns;
  bool printer = false;
  bool echo = false;

  void ShowMessage(MessageKind kind, const std::string& text) override;
  std::string PickFile(const std::string& filter) override;
  void ShellRun(const std::string& file, const std::string& params, const std::string& verb) override;
  void SetWallpaper(const std::string& path, bool tile) override;
  bool HasDefaultPrinter() override { return printer; }
  void SetBusy(bool) override {}
  bool Interactive() override { return false; }
  void Quit(int code) override { quitCodes.push_back(code); }
  std::vector<int> quitCodes;
};

// Installs a desktop for the lifetime of a scope.
class ScopedDesktop {
 public:
  explicit ScopedDesktop(Desktop* d) : previous_(SetDesktop(d)) {}
  ~ScopedDesktop() { SetDesktop(previous_); }
  ScopedDesktop(const ScopedDesktop&) = delete;
  ScopedDesktop& operator=(const ScopedDesktop&) = delete;

 private:
  Desktop* previous_;
};

}  // namespace platform
