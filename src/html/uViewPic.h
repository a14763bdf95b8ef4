// The enlarged-picture window: one picture of a page, in a window of its size or, when it does not
// fit on the screen, over the whole screen; dragged around with the mouse.
#pragma once

#include <QPointer>
#include <string>

#include "controls/skForm.h"

class QLabel;
class QToolButton;
class TSkHtml;

class TfrmViewPic : public TSkForm {
  Q_OBJECT

 public:
  explicit TfrmViewPic(QWidget* owner = nullptr);

  // Shows the picture `link` names relative to the folder of `pageFile` (the program's folder when
  // empty), takes the caption from the picture's ".cap" file and sizes the window.
  void OpenPicture(const std::string& pageFile, const std::string& link);
  // Window ⇄ full screen.
  void ToggleFullScreen();
  bool FullScreen() const { return fullScreen_; }
  void Print();

  TSkHtml* Pane() const { return pane_; }
  QToolButton* FullScreenButton() const { return butFullScrin_; }
  // The picture's name as the pane shows it.
  const std::string& PictureName() const { return picture_; }

 private:
  void SetFullScreen(bool on);

  TSkHtml* pane_;
  QWidget* panelCaption_;
  QLabel* title_;
  QToolButton* butPrint_;
  QToolButton* butFullScrin_;
  QToolButton* butClose_;
  bool fullScreen_ = false;
  std::string picture_;
};

// Opens the window for one picture and destroys it when it closes. Where nobody sits at the
// screen the window is only built and shown, and given back (it deletes itself on closing);
// otherwise this returns after the window closed, with nullptr.
TfrmViewPic* ShowPicture(const std::string& pageFile, const std::string& link);
