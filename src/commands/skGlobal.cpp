#include "skGlobal.h"

TSkItem::TSkItem(QObject* parent) : QAction(parent) {}
