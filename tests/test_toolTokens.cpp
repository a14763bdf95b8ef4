#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "testSupport.h"

namespace {

using testing_support::RunTool;
using testing_support::W;

TEST(TokenizerTool, PrintsOneLinePerEventWithRawEscapedBytes) {
  QTemporaryDir dir;
  const std::string page =
      W("<!DOCTYPE html>\r\n<p class=\"a\" id=x>Тормоз &amp; колодки\t\\</p>\r\n"
        "<!-- c --><script>\na<b\n</script>x > y");
  const QString path = testing_support::WriteFile(dir, QStringLiteral("страница.htm"), page);
  const auto r = RunTool({QStringLiteral("tokens"), path});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string expected = W("block\t<!DOCTYPE html>\n"
                                 "dtd\tDOCTYPE html\n"
                                 "block\t<p class=\"a\" id=x>\n"
                                 "tag\tp\n"
                                 "attr\tclass=a\n"
                                 "attr\tid=x\n"
                                 "block\tТормоз &amp; колодки\\t\\\\\n"
                                 "text\tТормоз & колодки\\t\\\\\n"
                                 "block\t</p>\n"
                                 "tag\t/p\n"
                                 "block\t<!-- c -->\n"
                                 "comment\t c \n"
                                 "block\t<script>\n"
                                 "tag\tscript\n"
                                 "block\t\\na<b\\n\n"
                                 "script\t\\na<b\\n\n"
                                 "block\t</script>\n"
                                 "tag\t/script\n"
                                 "error\t5\t") +
                               std::to_string(page.rfind('>') + 1) + "\n";
  EXPECT_EQ(r.out, expected);
}

TEST(TokenizerTool, MissingFileFails) {
  QTemporaryDir dir;
  const auto r = RunTool({QStringLiteral("tokens"), dir.filePath(QStringLiteral("none.htm"))});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("no such file"), std::string::npos) << r.err;
}

}  // namespace
