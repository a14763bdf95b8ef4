// The window every window of the program derives from.
#pragma once

#include <QWidget>
#include <string>

class TSkForm : public QWidget {
  Q_OBJECT

 public:
  explicit TSkForm(QWidget* owner = nullptr);

  // Caption in 1251, as structure files and the program write it.
  void SetCaption(const std::string& caption);
  void SetClientSize(int width, int height);
};
