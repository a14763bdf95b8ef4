// The "label" control: a caption that can look like a link and then runs its action when
// clicked.
#pragma once

#include <QLabel>
#include <QPointer>
#include <string>

#include "controls/skControl.h"

class TSkLabel : public QLabel, public TSkControl {
  Q_OBJECT

 public:
  explicit TSkLabel(QWidget* parent);

  bool SetKey(TSkStract& engine, const std::string& key, const std::string& value) override;
  void Dump(TDumpFields& out) const override;

  void SetCaption(const std::string& caption) override;
  bool HasCaption() const override { return true; }
  std::string Caption() const override;

  // On: underlined only, pure blue, pointing hand. Off: no style, the system's text colour, the
  // default cursor.
  void SetUrlStyle(bool on);
  bool UrlStyle() const { return url_; }

  TTextAlign TextAlign() const { return textAlign_; }
  void SetTextAlign(TTextAlign align);
  void SetWordWrapping(bool on);
  // Auto size: the label fits its caption (its height only, when the caption wraps).
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on);

  // The HTML pane whose page title this label shows (key "html_title"); null until found.
  TSkControl* HtmlTitle() const { return AsControl(htmlTitle_.data()); }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void FitToText();

  TTextAlign textAlign_ = TTextAlign::Left;
  bool url_ = false;
  // On, as labels of the original framework were: a label without a size fits its caption.
  bool autoSize_ = true;
  bool pressed_ = false;
  QPointer<QObject> htmlTitle_;
};
