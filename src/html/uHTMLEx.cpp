#include "html/uHTMLEx.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMouseEvent>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringDecoder>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <algorithm>
#include <memory>

#include "archive/gPack.h"
#include "platform/pfDesktop.h"
#include "platform/pfDisk.h"
#include "util/cp1251.h"
#include "util/skUtils.h"

namespace {

// The busy cursor for as long as a page loads, however the load ends.
struct BusyScope {
  BusyScope() { BusyCursor(true); }
  ~BusyScope() { BusyCursor(false); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;
};

bool IsPageExt(const std::string& lowExt) {
  return lowExt == ".htm" || lowExt == ".html";
}

bool IsPictureExt(const std::string& lowExt) {
  return lowExt == ".bmp" || lowExt == ".gif" || lowExt == ".jpg" || lowExt == ".jpeg" || lowExt == ".png";
}

}  // namespace

// --- names ---

std::string ManualName(std::string_view path) {
  std::string name = StripProgramDir(path);
  if (!IsAbsolutePath(name))
    for (char& c : name)
      if (c == '/') c = '\\';
  return name;
}

std::string ResolveManualName(std::string_view name, std::string_view folder) {
  return ManualName(ResolvePath(name, folder));
}

// --- charset ---

std::string DeclaredCharset(const std::string& page) {
  if (page.rfind("\xEF\xBB\xBF", 0) == 0) return "utf-8";
  if (page.rfind("\xFF\xFE", 0) == 0) return "utf-16le";
  if (page.rfind("\xFE\xFF", 0) == 0) return "utf-16be";
  // Only the head can declare it, and the head is near the top.
  const std::string head = cp1251::Lower(std::string_view(page).substr(0, 4096));
  for (std::size_t meta = head.find("<meta"); meta != std::string::npos;
       meta = head.find("<meta", meta + 5)) {
    const std::size_t end = head.find('>', meta);
    const std::string tag = head.substr(meta, end == std::string::npos ? std::string::npos : end - meta);
    std::size_t p = tag.find("charset");
    if (p == std::string::npos) continue;
    p += 7;
    while (p < tag.size() && (tag[p] == ' ' || tag[p] == '=' || tag[p] == '"' || tag[p] == '\'')) ++p;
    std::string name;
    while (p < tag.size() && (std::isalnum(static_cast<unsigned char>(tag[p])) || tag[p] == '-' ||
                              tag[p] == '_' || tag[p] == ':' || tag[p] == '.'))
      name.push_back(tag[p++]);
    if (!name.empty()) return name;
  }
  return {};
}

QString DecodePage(const std::string& page) {
  const std::string charset = DeclaredCharset(page);
  if (charset.empty() || charset == "windows-1251" || charset == "cp1251" || charset == "win-1251" ||
      charset == "x-cp1251")
    return cp1251::ToQString(page);
  QStringDecoder decoder(charset.c_str());
  if (!decoder.isValid()) return cp1251::ToQString(page);  // a charset Qt cannot read: the manual's own
  return decoder(QByteArrayView(page.data(), static_cast<qsizetype>(page.size())));
}

// --- the browser ---

THtmlViewer::THtmlViewer(THtmlEx* pane) : QTextBrowser(pane), pane_(pane) {
  setOpenLinks(false);
  setOpenExternalLinks(false);
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Links are the pane's business: Qt only lets the text be selected, and shows no caret.
  setTextInteractionFlags(Qt::TextSelectableByMouse);
  viewport()->setMouseTracking(true);
  QPalette p = palette();
  p.setColor(QPalette::Base, Qt::white);
  setPalette(p);
}

QVariant THtmlViewer::loadResource(int type, const QUrl& name) {
  // Qt hands names back percent-encoded as UTF-8.
  return pane_->PageResource(type, QUrl::fromPercentEncoding(name.toEncoded()));
}

void THtmlViewer::mousePressEvent(QMouseEvent* event) {
  pressedLink_ = event->button() == Qt::LeftButton ? anchorAt(event->position().toPoint()) : QString();
  if (pane_->ViewerMouseDown(event)) return;
  QTextBrowser::mousePressEvent(event);
}

void THtmlViewer::mouseMoveEvent(QMouseEvent* event) {
  const bool over = !anchorAt(event->position().toPoint()).isEmpty();
  if (over != overLink_) {
    overLink_ = over;
    if (over)
      viewport()->setCursor(Qt::PointingHandCursor);
    else
      viewport()->unsetCursor();
    pane_->UpdateScrollBars();
  }
  pane_->ViewerMouseMove(event);
  if (!pane_->DragScroll()) QTextBrowser::mouseMoveEvent(event);
}

void THtmlViewer::mouseReleaseEvent(QMouseEvent* event) {
  pane_->ViewerMouseUp(event);
  QTextBrowser::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton || pressedLink_.isEmpty()) return;
  const QString link = anchorAt(event->position().toPoint());
  // A press that became a selection is not a click on the link.
  if (link != pressedLink_ || textCursor().hasSelection()) return;
  pressedLink_.clear();
  const std::string text = cp1251::FromQString(link);
  QPointer<THtmlEx> pane(pane_);
  bool handled = false;
  pane_->HotSpotClick(text, handled);
  if (pane && !handled) pane->FollowLink(text);
}

void THtmlViewer::contextMenuEvent(QContextMenuEvent* event) {
  pane_->ViewerContextMenu(event);
}

// --- the pane ---

THtmlEx::THtmlEx(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
  viewer_ = new THtmlViewer(this);
  hbar_ = new QScrollBar(Qt::Horizontal, this);
  vbar_ = new QScrollBar(Qt::Vertical, this);
  hbar_->hide();
  vbar_->hide();
  const auto mirror = [this] { UpdateScrollBars(); };
  for (QScrollBar* inner : {viewer_->horizontalScrollBar(), viewer_->verticalScrollBar()}) {
    connect(inner, &QScrollBar::rangeChanged, this, mirror);
    connect(inner, &QScrollBar::valueChanged, this, mirror);
  }
  connect(hbar_, &QScrollBar::valueChanged, this, [this](int v) {
    if (!updating_) viewer_->horizontalScrollBar()->setValue(v);
  });
  connect(vbar_, &QScrollBar::valueChanged, this, [this](int v) {
    if (!updating_) viewer_->verticalScrollBar()->setValue(v);
  });
  UpdateScrollBars();
}

void THtmlEx::PlaceChildren(bool horz, bool vert) {
  const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const int w = width(), h = height();
  const int viewW = std::max(0, w - (vert ? extent : 0));
  const int viewH = std::max(0, h - (horz ? extent : 0));
  // The horizontal bar runs along the whole bottom edge, the vertical one above it.
  hbar_->setGeometry(0, viewH, w, extent);
  vbar_->setGeometry(viewW, 0, extent, viewH);
  hbar_->setVisible(horz);
  vbar_->setVisible(vert);
  viewer_->setGeometry(0, 0, viewW, viewH);
}

void THtmlEx::MirrorBar(QScrollBar* ours, const QScrollBar* theirs) {
  ours->setRange(theirs->minimum(), theirs->maximum());
  ours->setPageStep(theirs->pageStep());
  ours->setSingleStep(theirs->singleStep());
  ours->setValue(theirs->value());
}

void THtmlEx::UpdateScrollBars() {
  if (updating_) return;
  updating_ = true;
  const QScrollBar* innerH = viewer_->horizontalScrollBar();
  const QScrollBar* innerV = viewer_->verticalScrollBar();
  bool horz = !hbar_->isHidden();
  bool vert = !vbar_->isHidden();
  // Showing one bar narrows the page, which can make the other one needed; a few rounds settle it.
  for (int round = 0; round < 4; ++round) {
    PlaceChildren(horz, vert);
    const bool needH = horzAllowed_ && innerH->maximum() > innerH->minimum();
    const bool needV = vertAllowed_ && innerV->maximum() > innerV->minimum();
    if (needH == horz && needV == vert) break;
    horz = needH;
    vert = needV;
  }
  PlaceChildren(horz, vert);
  if (vert) MirrorBar(vbar_, innerV);
  if (horz) MirrorBar(hbar_, innerH);
  updating_ = false;
}

void THtmlEx::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  UpdateScrollBars();
  update();
}

void THtmlEx::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  UpdateScrollBars();
}

void THtmlEx::SetHorzBarAllowed(bool on) {
  horzAllowed_ = on;
  UpdateScrollBars();
}

void THtmlEx::SetVertBarAllowed(bool on) {
  vertAllowed_ = on;
  UpdateScrollBars();
}

QVariant THtmlEx::PageResource(int type, const QString& qname) const {
  const std::string name = ResolveManualName(cp1251::FromQString(qname), base_);
  if (type == QTextDocument::ImageResource) {
    if (name.empty() || !PackFileExists(name)) {
      // A missing picture is not drawn; Qt's placeholder would draw a broken-file icon instead.
      QImage none(1, 1, QImage::Format_ARGB32);
      none.fill(Qt::transparent);
      return none;
    }
    std::string bytes;
    LoadPackFile(bytes, name);
    QImage image;
    image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()));
    return image;
  }
  if (type == QTextDocument::StyleSheetResource) {
    if (name.empty() || !PackFileExists(name)) return QString();
    std::string bytes;
    LoadPackFile(bytes, name);
    return DecodePage(bytes);
  }
  return {};
}

void THtmlEx::ShowDocument(const QString& html, const std::string& base) {
  base_ = base;
  viewer_->setHtml(html);
  UpdateScrollBars();
}

void THtmlEx::ShowPageFile(const std::string& file, const std::string& anchor, int position) {
  std::string bytes;
  LoadPackFile(bytes, file);
  currentFile_ = file;
  ShowDocument(DecodePage(bytes), ExtractFilePath(file));
  if (!anchor.empty() || position != 0) {
    // Qt lays a long page out bit by bit as it is shown; a place further down needs all of it.
    viewer_->document()->documentLayout()->documentSize();
  }
  if (!anchor.empty())
    viewer_->scrollToAnchor(cp1251::ToQString(anchor));
  else
    SetDocPosition(position);
  UpdateScrollBars();
}

void THtmlEx::LoadPage(const std::string& name) {
  std::string target = name;
  std::string anchor;
  if (const std::size_t hash = target.find('#'); hash != std::string::npos) {
    anchor = target.substr(hash + 1);
    target.resize(hash);
  }
  if (target.empty() && !currentFile_.empty()) {
    viewer_->scrollToAnchor(cp1251::ToQString(anchor));
    UpdateScrollBars();
    return;
  }
  // Beside the page shown first, then from the program's folder, as links and the tree name pages.
  std::string file;
  for (const std::string& candidate : {ResolveManualName(target, base_), ResolveManualName(target, "")}) {
    if (!target.empty() && PackFileExists(candidate)) {
      file = candidate;
      break;
    }
  }
  if (file.empty()) throw EHtmlError(cp1251::FromUtf8("Не найден файл: ") + target);
  BusyScope busy;
  if (!currentFile_.empty() && cp1251::SameText(file, currentFile_)) {
    if (!anchor.empty())
      viewer_->scrollToAnchor(cp1251::ToQString(anchor));
    else
      SetDocPosition(0);
    UpdateScrollBars();
    return;
  }
  const int leftAt = DocPosition();
  const bool pageShown = !currentFile_.empty();
  ShowPageFile(file, anchor, 0);
  if (historyIndex_ < static_cast<int>(history_.size())) {
    if (pageShown) history_[static_cast<std::size_t>(historyIndex_)].position = leftAt;
    history_.erase(history_.begin(), history_.begin() + historyIndex_);
  }
  history_.insert(history_.begin(), HistoryEntry{file, Title(), 0});
  if (history_.size() > kHistoryMaxCount) history_.resize(kHistoryMaxCount);
  historyIndex_ = 0;
  HistoryChanged();
}

void THtmlEx::SetHistoryIndex(int index) {
  if (index < 0 || index >= static_cast<int>(history_.size()) || index == historyIndex_) return;
  if (!currentFile_.empty() && historyIndex_ < static_cast<int>(history_.size()))
    history_[static_cast<std::size_t>(historyIndex_)].position = DocPosition();
  historyIndex_ = index;
  const HistoryEntry entry = history_[static_cast<std::size_t>(index)];
  {
    BusyScope busy;
    ShowPageFile(entry.file, {}, entry.position);
  }
  HistoryChanged();
}

void THtmlEx::HistoryChanged() {
  UpdateScrollBars();
  if (OnHistoryChange) OnHistoryChange();
}

void THtmlEx::LoadText(const std::string& html) {
  currentFile_.clear();
  ShowDocument(cp1251::ToQString(html), "");
}

void THtmlEx::LoadLines(const TStrings& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  currentFile_.clear();
  ShowDocument(cp1251::ToQString(text), "");
}

void THtmlEx::ShowCentered(const std::string& fragment, const std::string& alignment) {
  LoadLines({"<table width=\"100%\" height=\"100%\" border=\"0\"><tr><td><div align=\"" +
                 (alignment.empty() ? std::string("center") : alignment) + "\">",
             fragment, "</div></td></tr></table>"});
}

std::string THtmlEx::LoadPicture(const std::string& baseFile, const std::string& picture) {
  const std::string resolved = ResolveManualName(picture, ExtractFilePath(baseFile));
  LoadLines({"<img src=\"" + resolved + "\">"});
  return resolved;
}

void THtmlEx::FollowLink(const std::string& link) {
  try {
    if (!link.empty() && link[0] == '#') {
      viewer_->scrollToAnchor(cp1251::ToQString(link.substr(1)));
      UpdateScrollBars();
      return;
    }
    const std::size_t hash = link.find('#');
    const std::string target = link.substr(0, hash);
    const std::string ext = cp1251::Lower(ExtractFileExt(target));
    if (IsPageExt(ext)) {
      LoadPage(ResolveManualName(target, base_) + (hash == std::string::npos ? "" : link.substr(hash)));
    } else if (IsPictureExt(ext)) {
      LoadLines({"<img src=\"" + ResolveManualName(target, base_) + "\">"});
    }
  } catch (const std::exception& e) {
    platform::ShowMessage(e.what(), platform::MessageKind::Error);
  }
}

void THtmlEx::HotSpotClick(const std::string&, bool& handled) {
  handled = false;
}

std::string THtmlEx::Title() const {
  return cp1251::FromQString(viewer_->documentTitle());
}

QSizeF THtmlEx::NaturalSize() const {
  // A browser lays its page out only once shown; a copy can be laid out at once.
  std::unique_ptr<QTextDocument> doc(viewer_->document()->clone(viewer_->document()));
  doc->setTextWidth(-1);
  return doc->size();
}

int THtmlEx::HorzPosition() const {
  return viewer_->horizontalScrollBar()->value();
}

void THtmlEx::SetHorzPosition(int position) {
  viewer_->horizontalScrollBar()->setValue(position);
  UpdateScrollBars();
}

int THtmlEx::DocPosition() const {
  return viewer_->verticalScrollBar()->value();
}

void THtmlEx::SetDocPosition(int position) {
  viewer_->verticalScrollBar()->setValue(position);
  UpdateScrollBars();
}

std::string THtmlEx::SelectedText() const {
  return cp1251::FromQString(viewer_->textCursor().selection().toPlainText());
}

void THtmlEx::CopyToClipboard() {
  viewer_->copy();
}

void THtmlEx::SelectAll() {
  viewer_->setFocus();
  if (!dragScroll_) viewer_->selectAll();
}

bool THtmlEx::FindText(const std::string& word) {
  if (word.empty()) return false;
  const QString text = cp1251::ToQString(word);
  const QTextCursor saved = viewer_->textCursor();
  const int savedH = HorzPosition(), savedV = DocPosition();
  bool found = viewer_->find(text);
  if (!found) {
    QTextCursor top(viewer_->document());
    top.movePosition(QTextCursor::Start);
    viewer_->setTextCursor(top);
    found = viewer_->find(text);
    if (!found) {
      viewer_->setTextCursor(saved);
      viewer_->horizontalScrollBar()->setValue(savedH);
      viewer_->verticalScrollBar()->setValue(savedV);
    }
  }
  if (found) {
    // Qt scrolls only far enough to show the match, which leaves it on the pane's edge; a reader
    // looks for it a third of the way down.
    const QRect at = viewer_->cursorRect();
    const int height = viewer_->viewport()->height();
    if (at.top() < height / 10 || at.bottom() > height * 9 / 10) {
      QScrollBar* bar = viewer_->verticalScrollBar();
      bar->setValue(bar->value() + at.top() - height / 3);
    }
  }
  UpdateScrollBars();
  return found;
}

void THtmlEx::SetDefFont(const std::string& name, int size) {
  QFont font = viewer_->document()->defaultFont();
  if (!name.empty()) font.setFamily(cp1251::ToQString(name));
  if (size > 0) font.setPointSize(size);
  viewer_->document()->setDefaultFont(font);
  UpdateScrollBars();
}

void THtmlEx::SetDragScroll(bool on) {
  dragScroll_ = on;
  if (on) {
    // Dropping the selection must not move the page to the caret.
    const int h = HorzPosition(), v = DocPosition();
    QTextCursor c = viewer_->textCursor();
    c.clearSelection();
    viewer_->setTextCursor(c);
    viewer_->horizontalScrollBar()->setValue(h);
    viewer_->verticalScrollBar()->setValue(v);
    viewer_->setTextInteractionFlags(Qt::NoTextInteraction);
  } else {
    viewer_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  }
}

bool THtmlEx::ViewerMouseDown(QMouseEvent* event) {
  if (!dragScroll_) return false;
  dragStart_ = event->position().toPoint();
  dragging_ = true;
  return true;
}

void THtmlEx::ViewerMouseMove(QMouseEvent* event) {
  if (!dragScroll_ || !dragging_) return;
  // The start stays where the button went down: the farther the pointer, the faster the page runs.
  const QPoint p = event->position().toPoint();
  viewer_->horizontalScrollBar()->setValue(HorzPosition() + (dragStart_.x() - p.x()) / 10);
  viewer_->verticalScrollBar()->setValue(DocPosition() + (dragStart_.y() - p.y()) / 10);
  UpdateScrollBars();
}

void THtmlEx::ViewerMouseUp(QMouseEvent*) {
  dragging_ = false;
}

// --- printing ---

int CountPrintedPages(THtmlEx& pane, QPrinter& printer) {
  std::unique_ptr<QTextDocument> doc(pane.Viewer()->document()->clone(pane.Viewer()->document()));
  doc->documentLayout()->setPaintDevice(&printer);
  doc->setPageSize(printer.pageLayout().paintRectPixels(printer.resolution()).size());
  return doc->pageCount();
}

void PrintHtmlPages(THtmlEx& pane, QPrinter& printer, int from, int to) {
  printer.setFromTo(from, to);
  pane.Viewer()->document()->print(&printer);
}

bool PrintHtmlToPdf(THtmlEx& pane, const std::string& path) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(platform::NativePath(path));
  PrintHtmlPages(pane, printer, 0, 0);
  const QFileInfo written(platform::NativePath(path));
  return written.exists() && written.size() > 0;
}

void PrintHtml(THtmlEx& pane) {
  platform::Desktop& desktop = platform::desktop();
  // Nobody could answer the dialog or pick the file: nothing is printed.
  if (!desktop.Interactive()) return;
  try {
    if (!desktop.HasDefaultPrinter()) {
      const QString path = QFileDialog::getSaveFileName(&pane, QString(), QStringLiteral("page.pdf"),
                                                        QStringLiteral("PDF (*.pdf)"));
      if (!path.isEmpty()) PrintHtmlToPdf(pane, platform::FromNative(path));
      return;
    }
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, &pane);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange);
    int pages = 1;
    {
      BusyScope busy;
      pages = std::max(1, CountPrintedPages(pane, printer));
    }
    dialog.setMinMax(1, pages);
    printer.setFromTo(1, pages);
    printer.setPrintRange(QPrinter::AllPages);
    if (dialog.exec() != QDialog::Accepted) return;
    if (printer.printRange() == QPrinter::PageRange)
      PrintHtmlPages(pane, printer, printer.fromPage(), printer.toPage());
    else
      PrintHtmlPages(pane, printer, 0, 0);
  } catch (const std::exception&) {
    // Printing reports nothing; the page stays as it was.
  }
}
