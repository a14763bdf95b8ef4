// What the pop-up menus of the engine hold.
#pragma once

#include <QAction>
#include <string>

// A menu entry that runs an action string when chosen. The menu shows the caption and the key
// text; the engine connects the entry's triggering to its click handler, which reads `Action`.
class TSkItem : public QAction {
  Q_OBJECT

 public:
  explicit TSkItem(QObject* parent = nullptr);

  std::string Action;  // 1251
  // For an entry that shows a favorite: the part of the favorite that identifies it, so that the
  // entry can be found again when the favorite is removed. Empty for every other entry.
  std::string FavoriteTarget;
};
