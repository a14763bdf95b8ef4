// The engine's life: creation on a window, LoadStructure in its building order, destruction.
#include <QFile>
#include <QProgressBar>
#include <unordered_map>
#include <unordered_set>

#include "archive/gPack.h"
#include "controls/skForm.h"
#include "engine/skUseStract.h"
#include "engine/skValues.h"
#include "platform/pfDesktop.h"
#include "platform/pfDisk.h"
#include "util/cp1251.h"

bool IsContainerType(const std::string& type);

namespace {

// The window's frame painting is off while a structure file is built, and back on afterwards
// whatever way the building ends.
class PaintingOff {
 public:
  explicit PaintingOff(TSkForm* w) : w_(w) { w_->SetFramePainting(false); }
  ~PaintingOff() { w_->SetFramePainting(true); }
  PaintingOff(const PaintingOff&) = delete;
  PaintingOff& operator=(const PaintingOff&) = delete;

 private:
  TSkForm* w_;
};

}  // namespace

TSkStract::TSkStract(TSkForm* window, const std::string& structFile) : QObject(window), window_(window) {
  structFile_ = structFile;
  window_->StructFileName = structFile;
  AttachFormEvents();
}

TSkStract::~TSkStract() {
  if (SavePos) SavePosition();
  window_->SetFramePainting(false);
  if (window_->isVisible()) window_->hide();
  // Children go with their parents, so free from the newest: a pointer to a child never outlives it.
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
    if (it->first) delete it->first.data();
  controls_.clear();
  CloseSplash();
  if (!tempFile_.empty()) QFile::remove(platform::NativePath(tempFile_));
  window_->SetFramePainting(true);
}

QWidget* TSkStract::PageWidget() const {
  TSkNotebook* notebook = window_->Notebook();
  return notebook && Page >= 0 ? notebook->Page(Page) : nullptr;
}

void TSkStract::LoadStructure() {
  PaintingOff painting(window_);
  // The start action belongs to this file; a file without one must not rerun another engine's.
  window_->StartAction.clear();
  if (!tempFile_.empty()) QFile::remove(platform::NativePath(tempFile_));
  tempFile_ = ExtractToTemp(window_->StructFileName);
  std::string text;
  platform::ReadDiskFile(tempFile_, text);
  ini_.Parse(text);

  // Section names with their masters, repeats dropped: the first section of a name is the one
  // whose keys are read, so a later one could only build a second copy of it.
  struct Entry {
    std::string name, type, master;
  };
  std::vector<Entry> list;
  std::unordered_set<std::string> seen;
  for (const TIniFile::Section& s : ini_.Sections()) {
    if (!seen.insert(cp1251::Lower(s.name)).second) {
      ReportError(cp1251::FromUtf8("Секция ") + s.name + cp1251::FromUtf8(" повторяется (строка ") +
                  std::to_string(s.line) + cp1251::FromUtf8("); повтор пропущен"));
      continue;
    }
    list.push_back({s.name, ini_.ReadString(s.name, "type"), ini_.ReadString(s.name, "master")});
  }
  if (list.empty()) {
    platform::ShowMessage(cp1251::FromUtf8("Нету данных в ") + window_->StructFileName +
                          cp1251::FromUtf8(". Это безусловно End..."));
    return;
  }

  // Forms pass.
  formName_.clear();
  bool haveForm = false;
  auto makePage = [this] {
    TSkNotebook* notebook = window_->Notebook();
    if (!notebook) {
      notebook = window_->CreateNotebook();
    } else {
      notebook->AddPage(QStringLiteral("p%1").arg(notebook->count()));
    }
    if (window_->Moving) notebook->OnBackgroundPress = [w = window_] { w->DragWindow(); };
    Page = notebook->currentIndex();
  };
  for (auto it = list.begin(); it != list.end();) {
    if (cp1251::Lower(it->type) != "form") {
      ++it;
      continue;
    }
    const std::string color = ini_.ReadString(it->name, "color");
    formName_ = cp1251::Lower(it->name);
    haveForm = true;
    const Entry form = *it;
    it = list.erase(it);
    MakeObject(nullptr, form.name, "form");
    if (!color.empty()) window_->PageColor = ParseColor(color);
    makePage();
  }
  if (!haveForm) {
    // Without a window section the controls still need a page of their own to stand on.
    ReportError(cp1251::FromUtf8("Нет секции с type=form: страница создана без свойств окна"));
    makePage();
  }

  // Pop-up menus pass: menus come before any control so that controls may name them.
  for (auto it = list.begin(); it != list.end();) {
    if (cp1251::Lower(it->type) == "pop_menu") {
      MakeObject(window_, it->name, it->type);
      it = list.erase(it);
    } else {
      ++it;
    }
  }

  // Controls pass: page-level sections in file order, each followed at once by its children,
  // depth first. One pass does it, because a child can only be built through its parent; what
  // is left afterwards has a master that was never built.
  std::unordered_map<std::string, std::vector<std::size_t>> byMaster;
  for (std::size_t i = 0; i < list.size(); ++i) byMaster[cp1251::Lower(list[i].master)].push_back(i);
  std::vector<bool> built(list.size(), false);
  QWidget* page = PageWidget();
  std::function<void(std::size_t, QWidget*)> build = [&](std::size_t i, QWidget* parent) {
    built[i] = true;
    TSkControl* container = MakeObject(parent, list[i].name, list[i].type);
    if (parent == page && window_->PageColor != 0) {
      page->setAutoFillBackground(true);
      QPalette palette = page->palette();
      palette.setColor(QPalette::Window, ToQColor(window_->PageColor));
      page->setPalette(palette);
    }
    if (!container) return;
    const auto children = byMaster.find(cp1251::Lower(list[i].name));
    if (children == byMaster.end()) return;
    for (std::size_t child : children->second)
      if (!built[child]) build(child, container->ChildHost());
  };
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::string master = cp1251::Lower(list[i].master);
    if (!built[i] && (master.empty() || master == formName_)) build(i, page);
  }
  for (std::size_t i = 0; i < list.size(); ++i)
    if (!built[i])
      ReportError(cp1251::FromUtf8("Секция ") + list[i].name + cp1251::FromUtf8(" не построена: её master ") +
                  list[i].master + cp1251::FromUtf8(" не найден или не может содержать другие объекты"));

  RunAction(window_->StartAction);
  if (SplashAutoClose) {
    CloseSplash();
  } else if (splashBar_) {
    splashBar_->setValue(splashBar_->maximum());
  }
  if (SavePos) LoadPosition();

  AttachLayout();
  QPointer<TSkStract> self(this);
  window_->OnUserResized = [self]() {
    if (self) self->StorePanelShares();
  };
  InstallListHints();
}
