// dump: a structure file built by the real engine on an offscreen window, run, and described.
#include <QApplication>
#include <QKeyEvent>
#include <cstdio>

#include "archive/gPack.h"
#include "controls/skForm.h"
#include "controls/skSkin.h"
#include "engine/skUseStract.h"
#include "engine/skValues.h"
#include "platform/pfRegistry.h"
#include "toolCommon.h"
#include "util/cp1251.h"

namespace tool {

const char* const kDumpHelp =
    R"(remont-tool dump SOURCE STRUCT [--size WxH] [--action 'ACTION']... [--key 'KEYTEXT']...

Builds STRUCT from SOURCE (an archive or a folder) with the viewer's engine on an offscreen window
whose client area is WxH (default 775x513), runs each --action as if a control had fired it and
presses each --key (a key text as hot-key sections write it, e.g. "Ctrl+F", "Esc") on the window,
in the order given, then destroys the engine. Prints one line per fact, UTF-8, fields split by TAB:

  message  TEXT            a message box or error report, when it would have been shown
                           (line breaks written \n)
  owner    ACTION          an action the engine handed to its owner (this tool)
  form     caption=  pages=NAME,NAME  page=INDEX  pagecolor=#RRGGBB|none
  control  NAME  TYPE  parent=NAME|page  x= y= w= h= (in the parent)  visible=0|1  enabled=0|1
           then the control's own state as key=value fields: caption= text= font=NAME*SIZE*#RRGGBB*bi
           color=#RRGGBB theme= checked= down= items=A|B selected= min= max= position= ...
  hotkey   PAGE  SHORTCUT(hex)  ACTION
  registry NAME=VALUE      a value the engine wrote while it was destroyed

Nothing is shown on a screen and the user's own settings are not touched: values are kept in
memory for the run.
)";

namespace {

// Messages and hand-offs, in the order they happened.
class DumpDesktop : public platform::RecordingDesktop {
 public:
  std::vector<std::string>* log = nullptr;
  void ShowMessage(platform::MessageKind, const std::string& text) override {
    std::string oneLine = text;
    for (std::size_t p; (p = oneLine.find("\r\n")) != std::string::npos;) oneLine.replace(p, 2, "\n");
    log->push_back("message\t" + Escape(oneLine));
  }
};

std::string Flag(bool b) {
  return b ? "1" : "0";
}

int QtKeyOf(int vkey) {
  if (vkey >= 'A' && vkey <= 'Z') return Qt::Key_A + (vkey - 'A');
  if (vkey >= '0' && vkey <= '9') return Qt::Key_0 + (vkey - '0');
  if (vkey >= 0x70 && vkey <= 0x87) return Qt::Key_F1 + (vkey - 0x70);
  switch (vkey) {
    case 0x08:
      return Qt::Key_Backspace;
    case 0x09:
      return Qt::Key_Tab;
    case 0x0D:
      return Qt::Key_Return;
    case 0x1B:
      return Qt::Key_Escape;
    case 0x20:
      return Qt::Key_Space;
    case 0x21:
      return Qt::Key_PageUp;
    case 0x22:
      return Qt::Key_PageDown;
    case 0x23:
      return Qt::Key_End;
    case 0x24:
      return Qt::Key_Home;
    case 0x25:
      return Qt::Key_Left;
    case 0x26:
      return Qt::Key_Up;
    case 0x27:
      return Qt::Key_Right;
    case 0x28:
      return Qt::Key_Down;
    case 0x2D:
      return Qt::Key_Insert;
    case 0x2E:
      return Qt::Key_Delete;
    default:
      return 0;
  }
}

std::string ParentName(TSkControl* c, TSkStract& engine) {
  for (QWidget* p = c->Widget()->parentWidget(); p; p = p->parentWidget()) {
    if (p == engine.PageWidget()) return "page";
    if (TSkControl* owner = AsControl(p)) return owner->Name;
  }
  return "none";
}

std::string ControlLine(TSkControl* c, TSkStract& engine) {
  QWidget* w = c->Widget();
  std::string line = "control\t" + c->Name + "\t" + c->TypeName + "\tparent=" + ParentName(c, engine) +
                     "\tx=" + std::to_string(w->x()) + "\ty=" + std::to_string(w->y()) +
                     "\tw=" + std::to_string(w->width()) + "\th=" + std::to_string(w->height()) +
                     "\tvisible=" + Flag(!w->isHidden()) + "\tenabled=" + Flag(w->isEnabled());
  TDumpFields fields;
  if (c->HasCaption()) fields.emplace_back("caption", c->Caption());
  fields.emplace_back("font",
                      FontText(w->font(), w->palette().color(QPalette::Active, QPalette::WindowText)));
  if (c->HasColor()) fields.emplace_back("color", ColorText(c->Color()));
  if (const std::string theme = ThemeObject(w); !theme.empty()) fields.emplace_back("theme", theme);
  if (!c->Action.empty()) fields.emplace_back("action", c->Action);
  c->Dump(fields);
  for (const auto& [key, value] : fields) line += "\t" + key + "=" + Escape(value);
  return line;
}

}  // namespace

int RunDump(const Args& args) {
  if (args.size() < 2) throw ToolError("usage: dump SOURCE STRUCT [--size WxH] [--action A]... [--key K]...");
  int width = 775, height = 513;
  std::vector<std::pair<std::string, std::string>> steps;  // ("action"|"key", text)
  for (std::size_t i = 2; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (i + 1 >= args.size()) throw ToolError("option " + a + " needs a value");
    const std::string& v = args[++i];
    if (a == "--size") {
      if (std::sscanf(v.c_str(), "%dx%d", &width, &height) != 2 || width <= 0 || height <= 0)
        throw ToolError("--size takes WIDTHxHEIGHT, e.g. 775x513");
    } else if (a == "--action" || a == "--key") {
      steps.emplace_back(a.substr(2), To1251(v, a == "--action" ? "action" : "key"));
    } else {
      throw ToolError("unknown option " + a);
    }
  }
  EnterManual(args[0]);
  const std::string structFile = To1251(args[1], "structure file");

  std::vector<std::string> log;
  DumpDesktop desktop;
  desktop.log = &log;
  platform::ScopedDesktop useDesktop(&desktop);
  platform::MemoryRegistry memory;
  platform::registry();
  platform::Registry* previousRegistry = platform::SetRegistry(&memory);

  TSkForm window;
  window.setObjectName("frmMain");
  window.SetClientSize(width, height);
  window.show();
  auto engine = std::make_unique<TSkStract>(&window, structFile);
  GuardedCall([&] { engine->LoadStructure(); });
  engine->OnCommand = [&log](const RHelpAction& a) { log.push_back("owner\t" + Escape(a.Action)); };
  engine->ShowPage();
  QCoreApplication::processEvents();
  for (const auto& [kind, text] : steps) {
    if (kind == "action") {
      GuardedCall([&] { engine->RunAction(text); });
    } else {
      const TShortCut sc = TextToShortCut(text);
      Qt::KeyboardModifiers mods;
      if (sc & scShift) mods |= Qt::ShiftModifier;
      if (sc & scCtrl) mods |= Qt::ControlModifier;
      if (sc & scAlt) mods |= Qt::AltModifier;
      QKeyEvent press(QEvent::KeyPress, QtKeyOf(sc & 0xFF), mods);
      window.FormKeyDown(press);
    }
    QCoreApplication::processEvents();
  }

  std::vector<std::string> lines = log;
  log.clear();
  TSkNotebook* notebook = window.Notebook();
  std::string pages;
  for (int i = 0; notebook && i < notebook->count(); ++i)
    pages += (i ? "," : "") + cp1251::FromQString(notebook->PageName(i));
  lines.push_back("form\tcaption=" + Escape(window.Caption()) + "\tpages=" + pages +
                  "\tpage=" + std::to_string(engine->Page) +
                  "\tpagecolor=" + (window.PageColor ? ColorText(window.PageColor) : std::string("none")));
  for (TSkControl* c : engine->Controls()) lines.push_back(ControlLine(c, *engine));
  char hex[8];
  for (int i = 0; i < window.HotKeys.Count(); ++i) {
    std::snprintf(hex, sizeof hex, "%04X", window.HotKeys.ShortCutOf(i));
    lines.push_back("hotkey\t" + std::to_string(window.HotKeys.PageOf(i)) + "\t" + hex + "\t" +
                    Escape(window.HotKeys.ActionOf(i)));
  }
  memory.writes.clear();
  engine.reset();
  for (const std::string& l : log) lines.push_back(l);
  for (const auto& [name, value] : memory.writes) lines.push_back("registry\t" + name + "=" + Escape(value));
  platform::SetRegistry(previousRegistry);
  for (const std::string& l : lines) WriteLine(cp1251::ToUtf8(l));
  return 0;
}

}  // namespace tool
