// The HTML viewer of the manual: a QTextBrowser that reads every page, picture and style sheet
// through the archive reader, keeps a page history of its own, and mirrors its scroll state on two
// bars of the pane that may be switched off one by one.
#pragma once

#include <QScrollBar>
#include <QTextBrowser>
#include <QWidget>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "util/uUtils.h"

class QPrinter;
class THtmlEx;

// A page that can be loaded neither from the archive nor from the disk.
class EHtmlError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The browser inside the pane. Links are not followed by Qt: a click hands the link text, as
// written in the page, to the pane.
class THtmlViewer : public QTextBrowser {
  Q_OBJECT

 public:
  explicit THtmlViewer(THtmlEx* pane);
  QVariant loadResource(int type, const QUrl& name) override;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  THtmlEx* pane_;
  QString pressedLink_;
  bool overLink_ = false;
};

class THtmlEx : public QWidget {
  Q_OBJECT

 public:
  struct HistoryEntry {
    std::string file;   // as CurrentFile gives it
    std::string title;  // the page's <title>, 1251
    int position = 0;   // vertical scroll position when the page was left
  };

  explicit THtmlEx(QWidget* parent);

  THtmlViewer* Viewer() const { return viewer_; }
  QScrollBar* HorzBar() const { return hbar_; }
  QScrollBar* VertBar() const { return vbar_; }

  // --- loading ---
  // "name" or "name#anchor". The name is looked for beside the page shown, then from the program's
  // folder; a missing page throws EHtmlError("Не найден файл: " + name) and changes nothing.
  void LoadPage(const std::string& name);
  // Text loads add no history entry; LoadText's relative names start at the program's folder.
  void LoadText(const std::string& html);
  void LoadLines(const TStrings& lines);
  void ShowCentered(const std::string& fragment, const std::string& alignment);
  // Shows one picture, named relative to the folder of `baseFile`, as the whole page; gives the
  // picture's resolved name.
  std::string LoadPicture(const std::string& baseFile, const std::string& picture);

  // The page shown: relative to the program's folder with backslashes when it lies inside it,
  // empty while a text is shown.
  const std::string& CurrentFile() const { return currentFile_; }
  std::string Title() const;
  // The size the content takes when nothing wraps, whether or not the pane was ever shown.
  QSizeF NaturalSize() const;
  // The folder relative names of the content shown start from.
  const std::string& Base() const { return base_; }

  // --- history: newest first ---
  static constexpr int kHistoryMaxCount = 20;
  const std::vector<HistoryEntry>& History() const { return history_; }
  int HistoryIndex() const { return historyIndex_; }
  // Reloads entry `index` at the position it was left at; an index out of range or the one shown
  // is ignored.
  void SetHistoryIndex(int index);
  std::function<void()> OnHistoryChange;

  // --- position, selection, find ---
  int HorzPosition() const;
  void SetHorzPosition(int position);
  int DocPosition() const;
  void SetDocPosition(int position);
  std::string SelectedText() const;
  void CopyToClipboard();
  void SelectAll();
  // Case-blind, forward from the caret, wrapping once to the top; the match becomes the selection.
  bool FindText(const std::string& word);

  // --- look ---
  bool HorzBarAllowed() const { return horzAllowed_; }
  bool VertBarAllowed() const { return vertAllowed_; }
  void SetHorzBarAllowed(bool on);
  void SetVertBarAllowed(bool on);
  void UpdateScrollBars();
  void SetDefFont(const std::string& name, int size);
  // No selection: the mouse drags the page instead (and clears what was selected).
  void SetDragScroll(bool on);
  bool DragScroll() const { return dragScroll_; }

  // The link texts of the viewer arrive here. `handled` false lets the viewer follow the link.
  virtual void HotSpotClick(const std::string& link, bool& handled);
  // Mouse presses on the viewer; true when the pane consumed the press.
  virtual bool ViewerMouseDown(QMouseEvent* event);
  virtual void ViewerMouseMove(QMouseEvent* event);
  virtual void ViewerMouseUp(QMouseEvent* event);
  // A context menu for the viewer, or nullptr for none.
  virtual void ViewerContextMenu(QContextMenuEvent* event) { (void)event; }

  // Resources the page names, as the viewer asks for them: the picture or style-sheet bytes, or
  // nothing when the file is missing.
  QVariant PageResource(int type, const QString& name) const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  // Runs after the history changed; the pane keeps its label in step here.
  virtual void HistoryChanged();

 private:
  friend class THtmlViewer;
  void FollowLink(const std::string& link);
  void ShowDocument(const QString& html, const std::string& base);
  // Reads `file` and shows it, scrolled to `anchor` or to `position`.
  void ShowPageFile(const std::string& file, const std::string& anchor, int position);
  void PlaceChildren(bool horz, bool vert);
  void MirrorBar(QScrollBar* ours, const QScrollBar* theirs);

  THtmlViewer* viewer_;
  QScrollBar* hbar_;
  QScrollBar* vbar_;
  bool horzAllowed_ = true;
  bool vertAllowed_ = true;
  bool updating_ = false;
  bool dragScroll_ = false;
  bool dragging_ = false;
  QPoint dragStart_;
  std::string currentFile_;
  std::string base_;
  std::vector<HistoryEntry> history_;
  int historyIndex_ = 0;
};

// Names inside the program's folder are kept relative to it with backslashes, as the archive and
// the structure files write them; other names stay absolute.
std::string ManualName(std::string_view path);
// `name` resolved against `folder` (the program's folder when empty), as a manual name.
std::string ResolveManualName(std::string_view name, std::string_view folder);

// The charset a page declares in a <meta> tag or a byte-order mark; empty when it declares none.
std::string DeclaredCharset(const std::string& page);
// Page bytes as text: 1251 unless the page declares a charset Qt can read.
QString DecodePage(const std::string& page);

// Prints the pane's page: through the print dialog with a page range where someone sits at the
// screen and a printer is set up, to a PDF file the user picks where no printer is. Failures are
// swallowed; nothing blocks where nobody can answer.
void PrintHtml(THtmlEx& pane);
// Prints pages `from`..`to` (1-based; 0 and 0 for all) of the pane's page into `printer`.
void PrintHtmlPages(THtmlEx& pane, QPrinter& printer, int from, int to);
// The number of pages the page gives on `printer`.
int CountPrintedPages(THtmlEx& pane, QPrinter& printer);
// Writes the whole page to a PDF file; false when the file cannot be written.
bool PrintHtmlToPdf(THtmlEx& pane, const std::string& path);
