// What every command of the authors' tool shares: argument conversion, the manual's folder,
// messages, and escaping for line-oriented output.
#pragma once

#include <QString>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/pfDesktop.h"

namespace tool {

using Args = std::vector<std::string>;  // UTF-8, as the shell gave them

// A failure with a message for the author; the command ends with status 1.
class ToolError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;  // UTF-8 text
};

// 1251 text of a UTF-8 argument; refuses characters 1251 cannot hold.
std::string To1251(const std::string& utf8, const char* what);

// Makes the manual's folder (SOURCE itself, or the folder it lies in) stand for the program's
// folder and the current folder; opens SOURCE as the archive when it is a file. True when an
// archive is open.
bool EnterManual(const std::string& sourceUtf8);

// Writes bytes to stdout exactly.
void WriteRaw(const std::string& bytes);
// Writes a UTF-8 line to stdout.
void WriteLine(const std::string& utf8);

// CR, LF, TAB and backslash written as \r, \n, \t, \\ so that every event stays on one line.
std::string Escape(const std::string& text);

// The desktop of the tool: messages are recorded and echoed to stderr.
platform::RecordingDesktop& ToolDesktop();

// Command entry points; each returns the exit status.
int RunPack(const Args& args);
int RunList(const Args& args);
int RunCat(const Args& args);
int RunExtract(const Args& args);
int RunTokens(const Args& args);
int RunActions(const Args& args);
int RunDump(const Args& args);
int RunSearch(const Args& args);

extern const char* const kDumpHelp;

}  // namespace tool
