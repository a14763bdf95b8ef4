// A small, forgiving, event-driven HTML tokenizer. It walks a 1251 text once and hands every text
// run, tag, declaration, comment and script body to its events; it builds no tree and knows no
// element but "script". The full-text search reads pages with it, setting only OnText, so that
// path is kept free of per-character calls and of allocations per token.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "util/uUtils.h"

// The entity name stored for a byte, or nullptr. One table serves the whole program: "quot", "amp",
// "lt", "gt" and the Latin-1 entities of HTML 4.01 ("nbsp" 160 .. "yuml" 255).
const char* HtmlEntityName(unsigned char byte);
// The byte of an entity name, matched with exact case ("Agrave" 192, "agrave" 224); -1 if none.
int HtmlEntityByte(std::string_view name);

// Decodes the character references of `text` in a single pass. Returns `text` itself when it holds
// no "&", else a view of `scratch`, which it overwrites.
std::string_view DecodeCharRefs(std::string_view text, std::string& scratch);

class TLegHtmlParser {
 public:
  // Codes passed to OnError. Code 3 has never been used.
  enum TError {
    errTextEnds = 1,     // the text ends inside markup; position one past the last character
    errCommentOpen = 2,  // a comment has no closing "--"; position one past the last character
    errLtInTag = 4,      // a tag holds a "<"; position of that "<"
    errGtInText = 5,     // a text run holds a ">"; position of the first one, the run is dropped
    errScriptOpen = 6,   // a script body is not closed; position one past the last character
  };

  // Tokens and attribute lines are valid only during the call; a handler that keeps them copies them.
  using THtmlTokenEvent = std::function<void(TLegHtmlParser& sender, std::string_view token)>;
  using THtmlTagEvent =
      std::function<void(TLegHtmlParser& sender, std::string_view htmlTag, const TStrings& attributes)>;
  // `posError` counts from 1. Setting `abort` ends the run at once.
  using THtmlErrorEvent = std::function<void(TLegHtmlParser& sender, int error, int posError, bool& abort)>;

  TLegHtmlParser();

  // The document as lines. A run takes them, each followed by CR LF, as its working text; any change
  // of them empties the working text so that the next run sees the new lines.
  const TStrings& Content() const { return content_; }
  void SetContent(TStrings lines);

  // Makes `text` the working text as it is, for callers that hold a whole page rather than lines.
  void SetText(std::string text);
  // The working text: what the last run read, or the next run reads again.
  const std::string& Text() const;

  bool Translate() const { return translate_; }
  void SetTranslate(bool value) { translate_ = value; }
  // When set, a run leaves an empty working text empty instead of taking Content's lines.
  bool EndParser() const { return endParser_; }
  void SetEndParser(bool value) { endParser_ = value; }

  // One run over the working text, from its first character; events are called from inside it.
  // A call made from an event while a run is going on is ignored.
  void Execute();
  // Ends the current run once the step in progress has called its events; safe from any event.
  void StopParse() { stop_ = true; }

  THtmlTokenEvent OnBlock;    // raw source of every piece, in document order
  THtmlTokenEvent OnText;     // text runs, trimmed and decoded, when not empty
  THtmlTagEvent OnTag;        // tag name (an end tag keeps its "/") and "name=value" lines
  THtmlTokenEvent OnDTDTag;   // declarations: the text between "!" and ">"
  THtmlTokenEvent OnComment;  // comment bodies outside a script
  THtmlTokenEvent OnScript;   // script bodies, and a comment that opens one
  THtmlErrorEvent OnError;

 private:
  enum class TMode { Normal, Script, ScriptComment };

  void Step();
  void TextStep();
  void MarkupStep();
  void CommentStep(std::size_t from);
  void ScriptStep();
  bool ReadAttributes();
  void SkipWhite();
  void SkipLineBreak();
  void Fail(int code, std::size_t at);
  void FailAtEnd(int code);
  std::string_view Decoded(std::string_view raw);
  void AddAttribute(std::string_view name, std::string_view value);

  TStrings content_;
  // Shared with a running run, so that a handler changing Content or the text cannot pull the bytes
  // from under it.
  std::shared_ptr<const std::string> text_;
  bool translate_ = true;
  bool endParser_ = false;

  // State of the run in progress.
  const char* s_ = nullptr;
  std::size_t n_ = 0;
  std::size_t p_ = 0;
  TMode mode_ = TMode::Normal;
  int error_ = 0;
  std::size_t errorAt_ = 0;
  bool stop_ = false;
  bool running_ = false;
  TStrings attributes_;  // one list for the whole run, emptied before every step
  std::string scratch_;
};
