// The tokenizer as the full-text search drives it: only OnText set, over a large body of manual
// pages, against a plain memchr pass over the same bytes as the bound a byte scan can reach.
#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "tokenizer/hpReg.h"
#include "util/cp1251.h"

namespace {

constexpr std::size_t kCorpusSize = 50u << 20;

class TPageMaker {
 public:
  TPageMaker() {
    for (const char* w :
         {"тормозные", "колодки",       "суппорт",    "диск",        "замена",    "снять",       "установить",
          "болт",      "момент",        "затяжки",    "гайка",       "кронштейн", "шланг",       "жидкость",
          "прокачка",  "педаль",        "датчик",     "износа",      "проверить", "толщину",     "накладок",
          "при",       "необходимости", "и",          "в",           "на",        "с",           "двигатель",
          "ремень",    "ГРМ",           "натяжитель", "ролик",       "шкив",      "коленчатого", "вала",
          "рис.",      "см.",           "Внимание!",  "Примечание:", "рычаг",     "подвески",    "ступица"})
      words_.push_back(cp1251::FromUtf8(w));
  }

  std::string Corpus(std::size_t size) {
    std::string out;
    out.reserve(size + 64 * 1024);
    while (out.size() < size) Page(out);
    return out;
  }

 private:
  const std::string& Word() { return words_[rng_() % words_.size()]; }
  std::string Number() { return std::to_string(rng_() % 400); }

  void Sentence(std::string& out, int words) {
    for (int i = 0; i < words; ++i) {
      if (i) out += ' ';
      switch (rng_() % 24) {
        case 0:
          out += "<b>" + Word() + "</b>";
          break;
        case 1:
          out += "<a href=\"page" + Number() + ".htm\">" + Word() + "</a>";
          break;
        case 2:
          out += "&laquo;" + Word() + "&raquo;";
          break;
        case 3:
          out += Number() + "&nbsp;Нм";
          break;
        case 4:
          out += "&#8470;&nbsp;" + Number();
          break;
        default:
          out += Word();
      }
    }
    out += '.';
  }

  void Page(std::string& out) {
    const std::string title = Word() + ' ' + Word();
    out += "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<html><head><title>" +
           title +
           "</title>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\r\n"
           "<link rel=\"stylesheet\" href=\"style.css\" type=\"text/css\">\r\n";
    if (rng_() % 2)
      out +=
          "<script language=\"JavaScript\">\r\n<!--\r\nfunction show(id) { if (a < b) "
          "document.all[id].style.display = 'block'; }\r\n//-->\r\n</script>\r\n";
    else
      out += "<script>var page = " + Number() + "; if (page < 10) top.sync(page);</script>\r\n";
    out += "</head>\r\n<body bgcolor=\"#FFFFFF\" leftmargin=0 topmargin=0>\r\n<!-- " + Word() +
           " -->\r\n<h1 class='title'>" + title + "</h1>\r\n";
    const int blocks = 20 + static_cast<int>(rng_() % 60);
    for (int b = 0; b < blocks; ++b) {
      switch (rng_() % 6) {
        case 0:
          out += "<table border=\"1\" cellpadding=\"2\" width=\"100%\">\r\n";
          for (int r = 0; r < 4; ++r) {
            out += "<tr><td width=\"60%\">";
            Sentence(out, 3);
            out += "</td><td align=center>" + Number() + "&nbsp;Нм</td></tr>\r\n";
          }
          out += "</table>\r\n";
          break;
        case 1:
          out += "<p align=\"center\"><img src=\"img/pic" + Number() + ".gif\" alt='Рис. " + Number() +
                 "' width=300 height=200 border=0></p>\r\n";
          break;
        default:
          out += "<p class=\"text\">";
          Sentence(out, 10 + static_cast<int>(rng_() % 40));
          out += "</p>\r\n";
      }
    }
    out += "</body></html>\r\n";
  }

  std::mt19937 rng_{1251};
  std::vector<std::string> words_;
};

const std::string& Corpus() {
  static const std::string corpus = TPageMaker().Corpus(kCorpusSize);
  return corpus;
}

void BM_TokenizerTextOnly(benchmark::State& state) {
  TLegHtmlParser parser;
  parser.SetText(Corpus());
  std::size_t seen = 0;
  parser.OnText = [&seen](TLegHtmlParser&, std::string_view text) { seen += text.size(); };
  for (auto _ : state) {
    parser.Execute();
    benchmark::DoNotOptimize(seen);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Corpus().size()));
}
BENCHMARK(BM_TokenizerTextOnly)->Unit(benchmark::kMillisecond);

// What the search itself does with each run: fold its case and look for the words.
void BM_TokenizerTextLowerSearch(benchmark::State& state) {
  std::array<char, 256> lower{};
  for (int c = 0; c < 256; ++c)
    lower[c] = static_cast<char>(cp1251::LowerChar(static_cast<unsigned char>(c)));
  const std::string needle = cp1251::FromUtf8("натяжитель ролик");
  TLegHtmlParser parser;
  parser.SetText(Corpus());
  std::string folded;
  std::size_t found = 0;
  parser.OnText = [&](TLegHtmlParser&, std::string_view text) {
    folded.resize(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) folded[i] = lower[static_cast<unsigned char>(text[i])];
    if (folded.find(needle) != std::string::npos) ++found;
  };
  for (auto _ : state) {
    parser.Execute();
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Corpus().size()));
}
BENCHMARK(BM_TokenizerTextLowerSearch)->Unit(benchmark::kMillisecond);

// One memchr over everything, for a byte the pages never hold: the speed of reading the bytes at all.
void BM_MemchrPass(benchmark::State& state) {
  const std::string& corpus = Corpus();
  for (auto _ : state) benchmark::DoNotOptimize(std::memchr(corpus.data(), '\x01', corpus.size()));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpus.size()));
}
BENCHMARK(BM_MemchrPass)->Unit(benchmark::kMillisecond);

// memchr hopping from "<" to "<": the least any tokenizer that stops at markup must do.
void BM_MemchrTags(benchmark::State& state) {
  const std::string& corpus = Corpus();
  const char* const end = corpus.data() + corpus.size();
  for (auto _ : state) {
    std::size_t tags = 0;
    for (const char* p = corpus.data(); (p = static_cast<const char*>(std::memchr(p, '<', end - p))); ++p)
      ++tags;
    benchmark::DoNotOptimize(tags);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * corpus.size()));
}
BENCHMARK(BM_MemchrTags)->Unit(benchmark::kMillisecond);

}  // namespace
