// The engine's controls, found by section name. Lists keep creation order; a control destroyed
// elsewhere leaves a null entry behind and is never handed out again.
#include "controls/skForm.h"
#include "engine/skUseStract.h"
#include "platform/pfDesktop.h"
#include "util/cp1251.h"

namespace {

// Names are identifiers: compared without regard to the case of Latin letters only.
bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

// The verb of an action string: the text before its first "*".
std::string VerbOf(const std::string& action) {
  return action.substr(0, action.find('*'));
}

}  // namespace

void TSkStract::Register(TSkControl* control) {
  controls_.emplace_back(QPointer<QObject>(control->Widget()), control);
}

std::vector<TSkControl*> TSkStract::Controls() const {
  std::vector<TSkControl*> out;
  for (const auto& [alive, control] : controls_)
    if (alive) out.push_back(control);
  return out;
}

std::vector<TSkControl*> TSkStract::ControlsOf(TControlType type) const {
  std::vector<TSkControl*> out;
  for (const auto& [alive, control] : controls_)
    if (alive && control->Type == type) out.push_back(control);
  return out;
}

void TSkStract::ReportError(const std::string& message) {
  if (!ReportErrors) return;
  platform::ShowMessage(window_->StructFileName + "\r\n" + message, platform::MessageKind::Error);
}

TSkControl* TSkStract::GetControl(const std::string& name) {
  for (const auto& [alive, control] : controls_)
    if (alive && SameName(control->Name, name)) return control;
  ReportError(cp1251::FromUtf8("GetControl. Не найден контрол: ") + name);
  return nullptr;
}

TSkControl* TSkStract::GetComponent(const std::string& name, TControlType type) {
  for (const auto& [alive, control] : controls_)
    if (alive && control->Type == type && SameName(control->Name, name)) return control;
  ReportError(cp1251::FromUtf8("GetComponent. Не найден контрол: ") + name);
  return nullptr;
}

TSkControl* TSkStract::FindComboByVerb(const std::string& verb) {
  for (TSkControl* c : ControlsOf(TControlType::ComboBox))
    if (SameName(VerbOf(c->Action), verb)) return c;
  return nullptr;
}

TSkControl* TSkStract::FindSpButtonByAction(const std::string& verb, const std::string& argText) {
  for (TSkControl* c : ControlsOf(TControlType::SpButton)) {
    std::string rest = c->Action;
    const std::string v = SplitFirst(rest, "*");
    if (SameName(v, verb) && (argText.empty() || SameName(rest, argText))) return c;
  }
  return nullptr;
}
