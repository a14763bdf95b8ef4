#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "testSupport.h"
#include "tokenizer/hpReg.h"

namespace {

using testing_support::W;

std::string Show(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else
      out.push_back(c);
  }
  return out;
}

// Every event of a run, one line each, so that a case reads as the document it tokenizes.
struct TRecorder {
  std::string log;
  bool withErrors = true;

  void Add(const std::string& line) { log += line + "\n"; }

  void Attach(TLegHtmlParser& p) {
    p.OnBlock = [this](TLegHtmlParser&, std::string_view t) { Add("block[" + Show(t) + "]"); };
    p.OnText = [this](TLegHtmlParser&, std::string_view t) { Add("text[" + Show(t) + "]"); };
    p.OnTag = [this](TLegHtmlParser&, std::string_view name, const TStrings& attributes) {
      std::string line = "tag[" + Show(name) + "]";
      for (const std::string& a : attributes) line += "(" + Show(a) + ")";
      Add(line);
    };
    p.OnDTDTag = [this](TLegHtmlParser&, std::string_view t) { Add("dtd[" + Show(t) + "]"); };
    p.OnComment = [this](TLegHtmlParser&, std::string_view t) { Add("comment[" + Show(t) + "]"); };
    p.OnScript = [this](TLegHtmlParser&, std::string_view t) { Add("script[" + Show(t) + "]"); };
    if (withErrors)
      p.OnError = [this](TLegHtmlParser&, int code, int pos, bool&) {
        Add("error " + std::to_string(code) + "@" + std::to_string(pos));
      };
  }
};

std::string Tokenize(const std::string& text, bool translate = true) {
  TLegHtmlParser p;
  TRecorder r;
  r.Attach(p);
  p.SetTranslate(translate);
  p.SetText(text);
  p.Execute();
  return r.log;
}

struct TCase {
  std::string input;
  std::string expected;
};

void RunCases(const std::vector<TCase>& cases) {
  for (const TCase& c : cases) EXPECT_EQ(Tokenize(c.input), c.expected) << "input: " << Show(c.input);
}

TEST(Tokenizer, TextRunsAndTags) {
  RunCases({
      {"<b>Brake</b> pads",
       "block[<b>]\ntag[b]\nblock[Brake]\ntext[Brake]\nblock[</b>]\ntag[/b]\nblock[ pads]\ntext[pads]\n"},
      {"</P>", "block[</P>]\ntag[/P]\n"},
      {"< b >", "block[< b >]\ntag[b]\n"},
      {"<>", "block[<>]\ntag[]\n"},
      // White space alone between tags is a piece but no text.
      {"<b> \t</b>", "block[<b>]\ntag[b]\nblock[ \t]\nblock[</b>]\ntag[/b]\n"},
      // One line break after a piece belongs to it; a lone LF does not.
      {"<br>\r\nline\r\n", "block[<br>]\ntag[br]\nblock[line]\ntext[line]\n"},
      {"<br>\n\nx", "block[<br>]\ntag[br]\nblock[\\n\\nx]\ntext[x]\n"},
      {"a\n\n", "block[a\\n]\ntext[a]\n"},
      {"a\r", "block[a]\ntext[a]\n"},
      {"a\n\r", "block[a\\n]\ntext[a]\n"},
      {"\r\n", ""},
      {" x \r\n y ", "block[ x \\r\\n y ]\ntext[x \\r\\n y]\n"},
  });
}

TEST(Tokenizer, Attributes) {
  RunCases({
      {"<img src=a.gif alt='two words' border>",
       "block[<img src=a.gif alt='two words' border>]\ntag[img](src=a.gif)(alt=two words)\n"},
      {"<a href = \"x 'y'\" B=1 B=\"\">",
       "block[<a href = \"x 'y'\" B=1 B=\"\">]\ntag[a](href=x 'y')(B=1)(B=)\n"},
      {"<a x='1'y=2>", "block[<a x='1'y=2>]\ntag[a](x=1)(y=2)\n"},
      // The list is emptied for every step.
      {"<a x=1><b>", "block[<a x=1>]\ntag[a](x=1)\nblock[<b>]\ntag[b]\n"},
      // A name that starts with "=" ends the attributes; the tag ends there too.
      {"<a b=1 =c>d", "block[<a b=1 =]\ntag[a](b=1)\nerror 5@10\n"},
  });
}

TEST(Tokenizer, DeclarationsAndComments) {
  RunCases({
      {"<!DOCTYPE html>", "block[<!DOCTYPE html>]\ndtd[DOCTYPE html]\n"},
      {"< !x y>", "block[< !x y>]\ndtd[x y]\n"},
      {"<!-- a -->", "block[<!-- a -->]\ncomment[ a ]\n"},
      {"<!-- a--b -->", "block[<!-- a--b -->]\ncomment[ a--b ]\n"},
      {"<!-- a -- -->", "block[<!-- a -- -->]\ncomment[ a -- ]\n"},
      {"<!-- a --->", "block[<!-- a --->]\ncomment[ a ]\n"},
      {"<!-- a -- >x", "block[<!-- a -- >]\ncomment[ a ]\nblock[x]\ntext[x]\n"},
      {"<!---->", "block[<!---->]\ncomment[]\n"},
      {"<!-- <b> -->\r\nx", "block[<!-- <b> -->]\ncomment[ <b> ]\nblock[x]\ntext[x]\n"},
  });
}

TEST(Tokenizer, ScriptModes) {
  RunCases({
      {"<script>x<y</script>",
       "block[<script>]\ntag[script]\nblock[x<y]\nscript[x<y]\nblock[</script>]\ntag[/script]\n"},
      {"<script><!-- x --></script>",
       "block[<script>]\ntag[script]\nblock[<!-- x -->]\nscript[ x ]\nblock[</script>]\ntag[/script]\n"},
      // The close is found in any case, but not with a blank before its ">"; leading blanks are body.
      {"<SCRIPT>\r\n  a</script >b</Script>c",
       "block[<SCRIPT>]\ntag[SCRIPT]\nblock[  a</script >b]\nscript[  a</script >b]\nblock[</Script>]\ntag[/"
       "Script]\nblock[c]\ntext[c]\n"},
      // After a comment that opens the body, what follows is ordinary text and markup again.
      {"<script> <!-- x --> y<b></script>",
       "block[<script>]\ntag[script]\nblock[<!-- x -->]\nscript[ x ]\nblock[ "
       "y]\ntext[y]\nblock[<b>]\ntag[b]\nblock[</"
       "script>]\ntag[/script]\n"},
      {"<script></script>",
       "block[<script>]\ntag[script]\nblock[]\nscript[]\nblock[</script>]\ntag[/script]\n"},
      {"<scripts>a<!-- b -->",
       "block[<scripts>]\ntag[scripts]\nblock[a]\ntext[a]\nblock[<!-- b -->]\ncomment[ b ]\n"},
  });
}

TEST(Tokenizer, ErrorsAndTheirPositions) {
  RunCases({
      {"<", "error 1@2\n"},
      {"<b", "error 1@3\n"},
      {"<b a", "error 1@5\n"},
      {"<b a ", "error 1@6\n"},
      {"<b a=", "error 1@6\n"},
      {"<b a='x>", "error 1@9\n"},
      {"<b a=x", "error 1@7\n"},
      {"<b a='x'", "error 1@9\n"},
      {"<!x", "error 1@4\n"},
      {"<!-- a -- ", "error 1@11\n"},
      {"<b>x</b", "block[<b>]\ntag[b]\nblock[x]\ntext[x]\nerror 1@8\n"},
      {"<!-- a", "error 2@7\n"},
      {"<!-- a --x", "error 2@11\n"},
      {"<!-- a --", "error 2@10\n"},
      // The run goes on at the tag's last character, which starts a text run holding a ">".
      {"<a<b>", "error 4@3\nerror 5@5\n"},
      {"<a x='<'>ok", "error 4@7\nerror 5@9\n"},
      {"a > b<i>c", "error 5@3\nblock[<i>]\ntag[i]\nblock[c]\ntext[c]\n"},
      {"<script>  ", "block[<script>]\ntag[script]\nerror 6@11\n"},
      {"<script>x</script >", "block[<script>]\ntag[script]\nerror 6@20\n"},
  });
}

TEST(Tokenizer, ErrorHandlerMayAbortAndWithoutOneTheRunGoesOn) {
  const std::string input = "<a<b> ok <i>";
  TLegHtmlParser p;
  TRecorder r;
  r.Attach(p);
  p.OnError = [&r](TLegHtmlParser&, int code, int pos, bool& abort) {
    EXPECT_FALSE(abort);
    r.Add("error " + std::to_string(code) + "@" + std::to_string(pos));
    abort = true;
  };
  p.SetText(input);
  p.Execute();
  EXPECT_EQ(r.log, "error 4@3\n");

  TRecorder silent;
  silent.withErrors = false;
  TLegHtmlParser q;
  silent.Attach(q);
  q.SetText(input);
  q.Execute();
  EXPECT_EQ(silent.log, "block[<i>]\ntag[i]\n");
}

TEST(Tokenizer, DecodingAppliesToTextNamesAndAttributesOnly) {
  RunCases({
      {"<!A&amp;B><p&#65;1 t&lt;=&quot;v&quot;>",
       "block[<!A&amp;B>]\ndtd[A&B]\nblock[<p&#65;1 t&lt;=&quot;v&quot;>]\ntag["
       "pA1](t<=\"v\")\n"},
      {"<!-- &amp; --><script>&amp;</script>",
       "block[<!-- &amp; -->]\ncomment[ &amp; "
       "]\nblock[<script>]\ntag[script]\nblock[&amp;]\nscript[&amp;]\nblock[</"
       "script>]\ntag[/script]\n"},
      // Trimmed before decoding: blanks made by references stay.
      {" &#32;x&#32; ", "block[ &#32;x&#32; ]\ntext[ x ]\n"},
      {"&lt;b&gt;", "block[&lt;b&gt;]\ntext[<b>]\n"},
  });
  EXPECT_EQ(Tokenize("<p&#65;>&amp;", false), "block[<p&#65;>]\ntag[p&#65;]\nblock[&amp;]\ntext[&amp;]\n");
}

TEST(TokenizerDecode, CharacterReferences) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"plain", "plain"},
      {"AT&T", "AT&T"},
      {"a&amp;b", "a&b"},
      {"&amp;lt;", "&lt;"},  // one pass only
      {"&lt;&gt;&quot;", "<>\""},
      {"&eacute;", "\xE9"},
      {"&#233;", "\xE9"},
      {"&#0233;", "\xE9"},
      {"&#xE9;", "\xE9"},
      {"&#XE9;", "\xE9"},
      {"&#65;&#x41;", "AA"},
      {"&Agrave;&agrave;", "\xC0\xE0"},
      {"&EACUTE;", "&EACUTE;"},
      {"&bogus;", "&bogus;"},
      {"&apos;", "&apos;"},
      {"&;", "&;"},
      {"&#;", "&#;"},
      {"&#x;", "&#x;"},
      {"&#12a;", "&#12a;"},
      {"&#-5;", "&#-5;"},
      {"&#xG1;", "&#xG1;"},
      {"&a&amp;", "&a&"},
      {"&&amp;", "&&"},
      {"x & y; z", "x & y; z"},
      {"a&amp", "a&amp"},
      {"&amp;&amp;x&amp;", "&&x&"},
      // Above 255 a reference names a Unicode character: its 1251 byte, or left as written.
      {"&#1090;", W("т")},
      {"&#x442;&#X401;", W("тЁ")},
      {"&#8364;&#8470;", W("€№")},
      {"&#256;", "&#256;"},
      {"&#x4E2D;", "&#x4E2D;"},
      {"&#x110000;", "&#x110000;"},
      {"&#99999999999999999999999;", "&#99999999999999999999999;"},
  };
  std::string scratch;
  for (const auto& [input, expected] : cases)
    EXPECT_EQ(std::string(DecodeCharRefs(input, scratch)), expected) << "input: " << input;
}

TEST(TokenizerDecode, EntityTableHoldsTheLatin1NamesAtTheirCodes) {
  const std::vector<std::pair<int, const char*>> filled = {
      {34, "quot"},    {38, "amp"},    {60, "lt"},     {62, "gt"},      {160, "nbsp"},   {171, "laquo"},
      {192, "Agrave"}, {198, "AElig"}, {215, "times"}, {224, "agrave"}, {247, "divide"}, {255, "yuml"}};
  for (const auto& [byte, name] : filled) {
    ASSERT_NE(HtmlEntityName(static_cast<unsigned char>(byte)), nullptr) << byte;
    EXPECT_STREQ(HtmlEntityName(static_cast<unsigned char>(byte)), name);
  }
  for (int byte : {0, 39, 65, 128, 159})
    EXPECT_EQ(HtmlEntityName(static_cast<unsigned char>(byte)), nullptr) << byte;
  std::string scratch;
  for (int b = 0; b < 256; ++b) {
    const char* name = HtmlEntityName(static_cast<unsigned char>(b));
    if (!name) continue;
    EXPECT_EQ(HtmlEntityByte(name), b) << name;
    EXPECT_EQ(std::string(DecodeCharRefs(std::string("&") + name + ";", scratch)),
              std::string(1, static_cast<char>(b)));
  }
  EXPECT_EQ(HtmlEntityByte("AGRAVE"), -1);
  EXPECT_EQ(HtmlEntityByte(""), -1);
}

// Work that grows with the square of the text would take hours on these; linear work takes well under
// a second each, so the generous bound only catches the former.
TEST(Tokenizer, RepeatedMarkupStaysLinear) {
  const std::vector<std::string> shapes = {
      "&", "&;",  "<",   "<a ", "<a b=", "<!--",     "-- ",      "--x",    "<script>", "</scrip",
      ">", "<!x", "<a<", "'",   "a=b ",  "<b>&amp;", "<!-- --x", "<p x='", "-<!-- -- "};
  const auto started = std::chrono::steady_clock::now();
  std::string scratch;
  for (const std::string& shape : shapes) {
    std::string text;
    while (text.size() < 4'000'000) text += shape;
    EXPECT_LE(DecodeCharRefs(text, scratch).size(), text.size());
    TLegHtmlParser p;
    std::size_t events = 0;
    p.OnBlock = p.OnText = p.OnComment = p.OnScript =
        p.OnDTDTag = [&](TLegHtmlParser&, std::string_view) { ++events; };
    p.OnTag = [&](TLegHtmlParser&, std::string_view, const TStrings&) { ++events; };
    p.OnError = [&](TLegHtmlParser&, int, int, bool&) { ++events; };
    p.SetText(text);
    p.Execute();
  }
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(60));
}

TEST(Tokenizer, StopParseEndsTheRunAfterTheCurrentStep) {
  struct TStopCase {
    std::string stopAt;  // the event line after which StopParse is called
    std::string expected;
  };
  const std::string input = "<b>one</b>two><i>";
  const std::vector<TStopCase> cases = {
      {"text[one]", "block[<b>]\ntag[b]\nblock[one]\ntext[one]\n"},
      {"block[one]", "block[<b>]\ntag[b]\nblock[one]\ntext[one]\n"},
      {"block[<b>]", "block[<b>]\ntag[b]\n"},
      {"error 5@14", "block[<b>]\ntag[b]\nblock[one]\ntext[one]\nblock[</b>]\ntag[/b]\nerror 5@14\n"},
  };
  for (const TStopCase& c : cases) {
    TLegHtmlParser p;
    TRecorder r;
    r.Attach(p);
    // Wrap every handler: stop as soon as the wanted line was logged.
    const auto stopAfter = [&](auto handler) {
      return [&r, &c, handler](TLegHtmlParser& sender, auto&&... args) {
        handler(sender, args...);
        if (r.log.size() >= c.stopAt.size() + 1 &&
            r.log.compare(r.log.size() - c.stopAt.size() - 1, c.stopAt.size(), c.stopAt) == 0)
          sender.StopParse();
      };
    };
    p.OnBlock = stopAfter(p.OnBlock);
    p.OnText = stopAfter(p.OnText);
    p.OnTag = stopAfter(p.OnTag);
    p.OnError = stopAfter(p.OnError);
    p.SetText(input);
    p.Execute();
    EXPECT_EQ(r.log, c.expected) << "stop after " << c.stopAt;
    // A new run starts again from the first character.
    r.log.clear();
    p.Execute();
    EXPECT_EQ(r.log, c.expected) << "second run, stop after " << c.stopAt;
  }
}

TEST(Tokenizer, ContentLinesEndWithCrLfAndPositionsCountThem) {
  TLegHtmlParser p;
  TRecorder r;
  r.Attach(p);
  p.SetContent({"<b>x", "y</b>", "ab", "c>d"});
  p.Execute();
  EXPECT_EQ(p.Text(), "<b>x\r\ny</b>\r\nab\r\nc>d\r\n");
  EXPECT_EQ(r.log, "block[<b>]\ntag[b]\nblock[x\\r\\ny]\ntext[x\\r\\ny]\nblock[</b>]\ntag[/b]\nerror 5@19\n");
}

TEST(Tokenizer, WorkingTextIsKeptUntilContentChanges) {
  TLegHtmlParser p;
  TRecorder r;
  r.Attach(p);
  p.SetContent({"<i>"});
  p.Execute();
  p.Execute();  // the same text again
  EXPECT_EQ(r.log, "block[<i>]\ntag[i]\nblock[<i>]\ntag[i]\n");

  r.log.clear();
  p.SetContent({"z"});
  EXPECT_EQ(p.Text(), "");
  p.Execute();
  EXPECT_EQ(r.log, "block[z]\ntext[z]\n");

  // A text set directly is read as it is, without line ends, until Content changes again.
  r.log.clear();
  p.SetText("q\r\n<u>");
  p.Execute();
  EXPECT_EQ(r.log, "block[q]\ntext[q]\nblock[<u>]\ntag[u]\n");
  p.SetContent({"w"});
  r.log.clear();
  p.Execute();
  EXPECT_EQ(r.log, "block[w]\ntext[w]\n");
}

TEST(Tokenizer, EndParserLeavesAnEmptyWorkingTextEmpty) {
  TLegHtmlParser p;
  TRecorder r;
  r.Attach(p);
  p.SetEndParser(true);
  p.SetContent({"a"});
  p.Execute();
  EXPECT_EQ(r.log, "");
  EXPECT_EQ(p.Text(), "");

  // A working text already taken is read again.
  p.SetEndParser(false);
  p.Execute();
  p.SetEndParser(true);
  p.Execute();
  EXPECT_EQ(r.log, "block[a]\ntext[a]\nblock[a]\ntext[a]\n");
}

TEST(Tokenizer, HandlersChangingContentOrRunningAgainDoNotDisturbTheRun) {
  TLegHtmlParser p;
  TRecorder r;
  r.Attach(p);
  p.OnText = [&](TLegHtmlParser& sender, std::string_view t) {
    r.Add("text[" + std::string(t) + "]");
    sender.SetContent({"<new>"});  // frees the old working text, which this run still reads
    sender.Execute();              // ignored while a run is going on
  };
  p.SetContent({"one<b>two" + std::string(200, 'x')});
  p.Execute();
  EXPECT_EQ(r.log, "block[one]\ntext[one]\nblock[<b>]\ntag[b]\nblock[two" + std::string(200, 'x') +
                       "]\ntext[two" + std::string(200, 'x') + "]\n");
  r.log.clear();
  p.Execute();
  EXPECT_EQ(r.log, "block[<new>]\ntag[new]\n");
}

// Random and mutated bytes: every run ends, pieces come in document order without overlapping, and
// every error position lies inside the text or one past it.
TEST(Tokenizer, SurvivesRandomAndMutatedInput) {
  const std::vector<std::string> pieces = {"<",
                                           ">",
                                           "!",
                                           "-",
                                           "--",
                                           "&",
                                           ";",
                                           "#",
                                           "x",
                                           "X",
                                           "'",
                                           "\"",
                                           "=",
                                           " ",
                                           "\r",
                                           "\n",
                                           "\t",
                                           "a",
                                           "b",
                                           "script",
                                           "SCRIPT",
                                           "</script>",
                                           "<!--",
                                           "-->",
                                           "&amp;",
                                           "&#",
                                           "&#x",
                                           "1090",
                                           "E9",
                                           W("т"),
                                           std::string(1, '\0'),
                                           "\xFF"};
  const std::string page =
      W("<!DOCTYPE html>\r\n<html><head><script>\r\n<!-- var a = 1 < 2; -->\r\n</script></head>\r\n"
        "<body><p class=\"x\" id=a>Тормозные &laquo;колодки&raquo; &#1090;&amp;&#233;</p>\r\n"
        "<!-- note -- still -->\r\n<img src='a.gif' alt=\"два слова\" border></body></html>\r\n");
  std::mt19937 rng(20240611);
  std::string scratch;
  for (int round = 0; round < 6000; ++round) {
    std::string text;
    if (round % 2 == 0) {
      const int count = static_cast<int>(rng() % 40);
      for (int i = 0; i < count; ++i) text += pieces[rng() % pieces.size()];
    } else {
      text = page;
      const int edits = 1 + static_cast<int>(rng() % 8);
      for (int i = 0; i < edits && !text.empty(); ++i) {
        const std::size_t at = rng() % text.size();
        switch (rng() % 3) {
          case 0:
            text[at] = static_cast<char>(rng() % 256);
            break;
          case 1:
            text.erase(at, 1 + rng() % 16);
            break;
          default:
            text.insert(at, pieces[rng() % pieces.size()]);
        }
      }
    }

    const std::size_t n = text.size();
    TLegHtmlParser p;
    p.SetTranslate(round % 3 != 0);
    std::size_t cursor = 0;
    std::size_t events = 0;
    const std::size_t bound = 8 * (n + 2);  // far more than one run can call on n characters
    const auto count = [&](TLegHtmlParser& sender) {
      if (++events > bound) {
        ADD_FAILURE() << "run does not end: " << Show(text);
        sender.StopParse();
      }
    };
    p.OnBlock = [&](TLegHtmlParser& sender, std::string_view t) {
      count(sender);
      const std::size_t at = text.find(t, cursor);
      ASSERT_NE(at, std::string::npos) << "piece out of order in " << Show(text);
      cursor = at + t.size();
    };
    p.OnText = [&](TLegHtmlParser& sender, std::string_view t) {
      count(sender);
      EXPECT_FALSE(t.empty());
      if (round % 7 == 0 && rng() % 5 == 0) sender.StopParse();
    };
    p.OnTag = [&](TLegHtmlParser& sender, std::string_view, const TStrings&) { count(sender); };
    p.OnDTDTag = [&](TLegHtmlParser& sender, std::string_view) { count(sender); };
    p.OnComment = [&](TLegHtmlParser& sender, std::string_view) { count(sender); };
    p.OnScript = [&](TLegHtmlParser& sender, std::string_view) { count(sender); };
    p.OnError = [&](TLegHtmlParser& sender, int code, int pos, bool& abort) {
      count(sender);
      EXPECT_TRUE(code == 1 || code == 2 || code == 4 || code == 5 || code == 6) << code;
      EXPECT_GE(pos, 1);
      EXPECT_LE(static_cast<std::size_t>(pos), n + 1);
      abort = round % 11 == 0;
    };
    p.SetText(text);
    p.Execute();

    // The search's own path: only OnText.
    TLegHtmlParser textOnly;
    std::size_t texts = 0;
    textOnly.OnText = [&](TLegHtmlParser&, std::string_view t) { texts += t.size(); };
    textOnly.SetText(text);
    textOnly.Execute();
    EXPECT_LE(texts, n);

    EXPECT_LE(DecodeCharRefs(text, scratch).size(), n);
  }
}

}  // namespace
