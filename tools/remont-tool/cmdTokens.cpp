// tokens: what the full-text search's tokenizer makes of a page, one event a line.
#include <QFile>
#include <QFileInfo>

#include "tokenizer/hpReg.h"
#include "toolCommon.h"

namespace tool {

int RunTokens(const Args& args) {
  // The file is tokenized as one text, its bytes as they are (no lines, no CR LF added), so that
  // every position is the file's own byte offset counted from 1.
  if (args.size() != 1)
    throw ToolError("usage: tokens FILE (the file's bytes as one text; positions count from 1)");
  const QString path = QString::fromUtf8(args[0]);
  if (!QFileInfo(path).isFile()) throw ToolError("no such file: " + args[0]);
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) throw ToolError("cannot read " + args[0]);
  const QByteArray bytes = file.readAll();

  std::string out;
  const auto line = [&out](const char* kind, std::string_view token) {
    out.append(kind).push_back('\t');
    out.append(Escape(std::string(token))).push_back('\n');
  };
  TLegHtmlParser parser;
  parser.OnBlock = [&](TLegHtmlParser&, std::string_view t) { line("block", t); };
  parser.OnText = [&](TLegHtmlParser&, std::string_view t) { line("text", t); };
  parser.OnTag = [&](TLegHtmlParser&, std::string_view name, const TStrings& attributes) {
    line("tag", name);
    for (const std::string& a : attributes) line("attr", a);
  };
  parser.OnDTDTag = [&](TLegHtmlParser&, std::string_view t) { line("dtd", t); };
  parser.OnComment = [&](TLegHtmlParser&, std::string_view t) { line("comment", t); };
  parser.OnScript = [&](TLegHtmlParser&, std::string_view t) { line("script", t); };
  parser.OnError = [&](TLegHtmlParser&, int code, int position, bool&) {
    out.append("error\t")
        .append(std::to_string(code))
        .append("\t")
        .append(std::to_string(position))
        .push_back('\n');
  };
  parser.SetText(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  parser.Execute();
  WriteRaw(out);
  return 0;
}

}  // namespace tool
