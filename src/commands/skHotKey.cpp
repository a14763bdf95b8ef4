#include "skHotKey.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <string>

#include "util/cp1251.h"
#include "util/uUtils.h"

namespace {

struct KeyName {
  int code;
  const char* name;
};

// The short names every manual may rely on, whatever the keyboard layout.
constexpr KeyName kFixedNames[] = {
    {vk::Back, "BkSp"},   {vk::Tab, "Tab"},    {vk::Return, "Enter"}, {vk::Escape, "Esc"},
    {vk::Space, "Space"}, {vk::Prior, "PgUp"}, {vk::Next, "PgDn"},    {vk::End, "End"},
    {vk::Home, "Home"},   {vk::Left, "Left"},  {vk::Up, "Up"},        {vk::Right, "Right"},
    {vk::Down, "Down"},   {vk::Insert, "Ins"}, {vk::Delete, "Del"},
};

// The names a Windows keyboard layout gives its keys, in ascending code order; a text is matched
// against them in this order, so where two keys share a name (Shift, "\") the lower code wins.
// Letters, digits and function keys are left out: their one-letter and "F" names are read first.
// Codes above one byte repeat the names of their low byte, which were tried before them.
constexpr KeyName kLayoutNames[] = {
    {vk::Back, "Backspace"},
    {vk::Tab, "Tab"},
    {vk::Clear, "Clear"},
    {vk::Return, "Enter"},
    {vk::Shift, "Shift"},
    {vk::Control, "Ctrl"},
    {vk::Menu, "Alt"},
    {vk::Pause, "Pause"},
    {vk::Capital, "Caps Lock"},
    {vk::Escape, "Esc"},
    {vk::Space, "Space"},
    {vk::Prior, "Page Up"},
    {vk::Next, "Page Down"},
    {vk::End, "End"},
    {vk::Home, "Home"},
    {vk::Left, "Left"},
    {vk::Up, "Up"},
    {vk::Right, "Right"},
    {vk::Down, "Down"},
    {vk::Snapshot, "Prnt Scrn"},
    {vk::Insert, "Insert"},
    {vk::Delete, "Delete"},
    {vk::LWin, "Left Windows"},
    {vk::RWin, "Right Windows"},
    {vk::Apps, "Application"},
    {vk::Numpad0 + 0, "Num 0"},
    {vk::Numpad0 + 1, "Num 1"},
    {vk::Numpad0 + 2, "Num 2"},
    {vk::Numpad0 + 3, "Num 3"},
    {vk::Numpad0 + 4, "Num 4"},
    {vk::Numpad0 + 5, "Num 5"},
    {vk::Numpad0 + 6, "Num 6"},
    {vk::Numpad0 + 7, "Num 7"},
    {vk::Numpad0 + 8, "Num 8"},
    {vk::Numpad0 + 9, "Num 9"},
    {vk::Multiply, "Num *"},
    {vk::Add, "Num +"},
    {vk::Subtract, "Num -"},
    {vk::Decimal, "Num Del"},
    {vk::Divide, "Num /"},
    {vk::NumLock, "Num Lock"},
    {vk::Scroll, "Scroll Lock"},
    {0xA0, "Shift"},
    {0xA1, "Right Shift"},
    {0xA2, "Ctrl"},
    {0xA3, "Right Ctrl"},
    {0xA4, "Alt"},
    {0xA5, "Right Alt"},
    {vk::Oem1, ";"},
    {vk::OemPlus, "="},
    {vk::OemComma, ","},
    {vk::OemMinus, "-"},
    {vk::OemPeriod, "."},
    {vk::Oem2, "/"},
    {vk::Oem3, "`"},
    {vk::Oem4, "["},
    {vk::Oem5, "\\"},
    {vk::Oem6, "]"},
    {vk::Oem7, "'"},
    {vk::Oem102, "\\"},
};

bool CutPrefix(std::string_view& text, std::string_view prefix) {
  if (text.size() < prefix.size() || !cp1251::SameText(text.substr(0, prefix.size()), prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

std::string FunctionKeyName(int code) {
  return "F" + std::to_string(code - vk::F1 + 1);
}

// The code a key name stands for; 0 for a name no key has.
int CodeOfName(std::string_view name) {
  if (name.empty()) return 0;
  for (const KeyName& k : kFixedNames)
    if (cp1251::SameText(name, k.name)) return k.code;
  if (name.size() == 1) {
    const char c = static_cast<char>(cp1251::UpperChar(static_cast<unsigned char>(name[0])));
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
  }
  for (int code = vk::F1; code <= vk::F24; ++code)
    if (cp1251::SameText(name, FunctionKeyName(code))) return code;
  for (const KeyName& k : kLayoutNames)
    if (cp1251::SameText(name, k.name)) return k.code;
  return 0;
}

std::string NameOfCode(int code) {
  for (const KeyName& k : kFixedNames)
    if (k.code == code) return k.name;
  if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'))
    return std::string(1, static_cast<char>(code));
  if (code >= vk::F1 && code <= vk::F24) return FunctionKeyName(code);
  for (const KeyName& k : kLayoutNames)
    if (k.code == code) return k.name;
  return {};
}

// --- Qt key presses ---

struct KeyMap {
  int from;
  int code;
};

int Find(const KeyMap* begin, const KeyMap* end, int from) {
  for (const KeyMap* m = begin; m != end; ++m)
    if (m->from == from) return m->code;
  return 0;
}

template <std::size_t N>
int Find(const KeyMap (&table)[N], int from) {
  return Find(table, table + N, from);
}

// Keys whose meaning does not depend on the layout.
constexpr KeyMap kQtKeys[] = {
    {Qt::Key_Backspace, vk::Back},
    {Qt::Key_Tab, vk::Tab},
    {Qt::Key_Backtab, vk::Tab},  // Qt's name for Shift+Tab
    {Qt::Key_Clear, vk::Clear},
    {Qt::Key_Return, vk::Return},
    {Qt::Key_Enter, vk::Return},
    {Qt::Key_Shift, vk::Shift},
    {Qt::Key_Control, vk::Control},
    {Qt::Key_Alt, vk::Menu},
    {Qt::Key_Pause, vk::Pause},
    {Qt::Key_CapsLock, vk::Capital},
    {Qt::Key_Escape, vk::Escape},
    {Qt::Key_Space, vk::Space},
    {Qt::Key_PageUp, vk::Prior},
    {Qt::Key_PageDown, vk::Next},
    {Qt::Key_End, vk::End},
    {Qt::Key_Home, vk::Home},
    {Qt::Key_Left, vk::Left},
    {Qt::Key_Up, vk::Up},
    {Qt::Key_Right, vk::Right},
    {Qt::Key_Down, vk::Down},
    {Qt::Key_Select, vk::Select},
    {Qt::Key_Printer, vk::Print},
    {Qt::Key_Execute, vk::Execute},
    {Qt::Key_Print, vk::Snapshot},
    {Qt::Key_SysReq, vk::Snapshot},
    {Qt::Key_Insert, vk::Insert},
    {Qt::Key_Delete, vk::Delete},
    {Qt::Key_Help, vk::Help},
    {Qt::Key_Meta, vk::LWin},
    {Qt::Key_Super_L, vk::LWin},
    {Qt::Key_Super_R, vk::RWin},
    {Qt::Key_Menu, vk::Apps},
    {Qt::Key_Sleep, vk::Sleep},
    {Qt::Key_NumLock, vk::NumLock},
    {Qt::Key_ScrollLock, vk::Scroll},
    {Qt::Key_Back, vk::BrowserBack},
    {Qt::Key_Forward, vk::BrowserForward},
    {Qt::Key_Refresh, vk::BrowserRefresh},
    {Qt::Key_Stop, vk::BrowserStop},
    {Qt::Key_Search, vk::BrowserSearch},
    {Qt::Key_Favorites, vk::BrowserFavorites},
    {Qt::Key_HomePage, vk::BrowserHome},
    {Qt::Key_VolumeMute, vk::VolumeMute},
    {Qt::Key_VolumeDown, vk::VolumeDown},
    {Qt::Key_VolumeUp, vk::VolumeUp},
    {Qt::Key_MediaNext, vk::MediaNextTrack},
    {Qt::Key_MediaPrevious, vk::MediaPrevTrack},
    {Qt::Key_MediaStop, vk::MediaStop},
    {Qt::Key_MediaTogglePlayPause, vk::MediaPlayPause},
    {Qt::Key_MediaPlay, vk::MediaPlayPause},
    {Qt::Key_LaunchMail, vk::LaunchMail},
    {Qt::Key_LaunchMedia, vk::LaunchMediaSelect},
    {Qt::Key_Launch0, vk::LaunchApp1},
    {Qt::Key_Launch1, vk::LaunchApp2},
};

// The numeric keypad's own keys; its navigation keys (Num Lock off) are the ordinary ones.
constexpr KeyMap kKeypadKeys[] = {
    {Qt::Key_Asterisk, vk::Multiply}, {Qt::Key_Plus, vk::Add},      {Qt::Key_Minus, vk::Subtract},
    {Qt::Key_Period, vk::Decimal},    {Qt::Key_Comma, vk::Decimal}, {Qt::Key_Slash, vk::Divide},
};

// Physical keys of the main block by evdev code (the xkb keycode less 8), with the codes Windows
// gives them in its US and Russian layouts alike.
constexpr KeyMap kPhysicalKeys[] = {
    {2, '1'},           {3, '2'},
    {4, '3'},           {5, '4'},
    {6, '5'},           {7, '6'},
    {8, '7'},           {9, '8'},
    {10, '9'},          {11, '0'},
    {12, vk::OemMinus}, {13, vk::OemPlus},
    {16, 'Q'},          {17, 'W'},
    {18, 'E'},          {19, 'R'},
    {20, 'T'},          {21, 'Y'},
    {22, 'U'},          {23, 'I'},
    {24, 'O'},          {25, 'P'},
    {26, vk::Oem4},     {27, vk::Oem6},
    {30, 'A'},          {31, 'S'},
    {32, 'D'},          {33, 'F'},
    {34, 'G'},          {35, 'H'},
    {36, 'J'},          {37, 'K'},
    {38, 'L'},          {39, vk::Oem1},
    {40, vk::Oem7},     {41, vk::Oem3},
    {43, vk::Oem5},     {44, 'Z'},
    {45, 'X'},          {46, 'C'},
    {47, 'V'},          {48, 'B'},
    {49, 'N'},          {50, 'M'},
    {51, vk::OemComma}, {52, vk::OemPeriod},
    {53, vk::Oem2},     {86, vk::Oem102},
};

// Cyrillic letters (upper case) by the key they sit on in the Russian layout, for platforms that
// do not tell the physical key. Ukrainian and Belarusian letters where they replace Russian ones.
constexpr KeyMap kCyrillicKeys[] = {
    {0x0419, 'Q'},          {0x0426, 'W'},           {0x0423, 'E'},      {0x041A, 'R'}, {0x0415, 'T'},
    {0x041D, 'Y'},          {0x0413, 'U'},           {0x0428, 'I'},      {0x0429, 'O'}, {0x0417, 'P'},
    {0x0425, vk::Oem4},     {0x042A, vk::Oem6},      {0x0424, 'A'},      {0x042B, 'S'}, {0x0412, 'D'},
    {0x0410, 'F'},          {0x041F, 'G'},           {0x0420, 'H'},      {0x041E, 'J'}, {0x041B, 'K'},
    {0x0414, 'L'},          {0x0416, vk::Oem1},      {0x042D, vk::Oem7}, {0x042F, 'Z'}, {0x0427, 'X'},
    {0x0421, 'C'},          {0x041C, 'V'},           {0x0418, 'B'},      {0x0422, 'N'}, {0x042C, 'M'},
    {0x0411, vk::OemComma}, {0x042E, vk::OemPeriod}, {0x0401, vk::Oem3}, {0x0406, 'S'}, {0x0407, vk::Oem6},
    {0x0404, vk::Oem7},     {0x040E, 'O'},
};

// Symbols by the key that gives them on a US keyboard, shifted or not, for platforms that do not
// tell the physical key.
constexpr KeyMap kUsSymbols[] = {
    {Qt::Key_Semicolon, vk::Oem1},
    {Qt::Key_Colon, vk::Oem1},
    {Qt::Key_Equal, vk::OemPlus},
    {Qt::Key_Plus, vk::OemPlus},
    {Qt::Key_Comma, vk::OemComma},
    {Qt::Key_Less, vk::OemComma},
    {Qt::Key_Minus, vk::OemMinus},
    {Qt::Key_Underscore, vk::OemMinus},
    {Qt::Key_Period, vk::OemPeriod},
    {Qt::Key_Greater, vk::OemPeriod},
    {Qt::Key_Slash, vk::Oem2},
    {Qt::Key_Question, vk::Oem2},
    {Qt::Key_QuoteLeft, vk::Oem3},
    {Qt::Key_AsciiTilde, vk::Oem3},
    {Qt::Key_BracketLeft, vk::Oem4},
    {Qt::Key_BraceLeft, vk::Oem4},
    {Qt::Key_Backslash, vk::Oem5},
    {Qt::Key_Bar, vk::Oem5},
    {Qt::Key_BracketRight, vk::Oem6},
    {Qt::Key_BraceRight, vk::Oem6},
    {Qt::Key_Apostrophe, vk::Oem7},
    {Qt::Key_QuoteDbl, vk::Oem7},
    {Qt::Key_Exclam, '1'},
    {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},
    {Qt::Key_ParenRight, '0'},
};

int UpperCyrillic(int key) {
  if (key >= 0x0430 && key <= 0x044F) return key - 0x20;
  if (key >= 0x0450 && key <= 0x045F) return key - 0x50;
  return key;
}

}  // namespace

TShortCut TextToShortCut(std::string_view text) {
  TShortCut modifiers = 0;
  for (;;) {
    if (CutPrefix(text, "Shift+"))
      modifiers |= scShift;
    else if (CutPrefix(text, "^") || CutPrefix(text, "Ctrl+"))
      modifiers |= scCtrl;
    else if (CutPrefix(text, "Alt+"))
      modifiers |= scAlt;
    else
      break;
  }
  const int code = CodeOfName(text);
  return code == 0 ? 0 : static_cast<TShortCut>(code | modifiers);
}

std::string ShortCutToText(TShortCut shortCut) {
  const std::string name = NameOfCode(shortCut & 0xFF);
  if (name.empty()) return {};
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + name;
}

TShortCut KeyCombination(int virtualKey, bool shift, bool ctrl, bool alt) {
  if (virtualKey <= 0 || virtualKey > 0xFF) return 0;
  TShortCut combination = static_cast<TShortCut>(virtualKey);
  if (shift) combination |= scShift;
  if (ctrl) combination |= scCtrl;
  if (alt) combination |= scAlt;
  return combination;
}

TKeyPress KeyPressOf(const QKeyEvent& event) {
  TKeyPress press;
  press.Key = event.key();
  press.Modifiers = event.modifiers();
#ifdef Q_OS_WIN
  press.NativeVirtualKey = event.nativeVirtualKey();
#else
  const QString platform = QGuiApplication::platformName();
  if (platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland")))
    press.XkbKeycode = event.nativeScanCode();
#endif
  return press;
}

int VirtualKeyOf(const TKeyPress& press) {
  if (press.NativeVirtualKey > 0 && press.NativeVirtualKey <= 0xFF)
    return static_cast<int>(press.NativeVirtualKey);
  const int key = press.Key;
  if (const int code = Find(kQtKeys, key)) return code;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return vk::F1 + (key - Qt::Key_F1);
  if (press.Modifiers.testFlag(Qt::KeypadModifier)) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return vk::Numpad0 + (key - Qt::Key_0);
    if (const int code = Find(kKeypadKeys, key)) return code;
  }
  // Latin letters go by the layout, as Windows codes them; the rest by the key they sit on.
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return key;
  if (key >= 'a' && key <= 'z') return key - 'a' + 'A';
  if (press.XkbKeycode > 8)
    if (const int code = Find(kPhysicalKeys, static_cast<int>(press.XkbKeycode - 8))) return code;
  if (const int code = Find(kCyrillicKeys, UpperCyrillic(key))) return code;
  return Find(kUsSymbols, key);
}

TShortCut PressedShortCut(const TKeyPress& press) {
  return KeyCombination(VirtualKeyOf(press), press.Modifiers.testFlag(Qt::ShiftModifier),
                        press.Modifiers.testFlag(Qt::ControlModifier),
                        press.Modifiers.testFlag(Qt::AltModifier));
}

TShortCut PressedShortCut(const QKeyEvent& event) {
  return PressedShortCut(KeyPressOf(event));
}

// --- the table ---

void TSkHotKey::AddKey(std::string_view text, int page) {
  std::string action(text);
  const std::string keyText = SplitFirst(action, "*");
  keys_.push_back({page, std::move(action), TextToShortCut(keyText)});
}

const TSkHotKey::RHotKey* TSkHotKey::At(int i) const {
  return i >= 0 && i < Count() ? &keys_[static_cast<std::size_t>(i)] : nullptr;
}

int TSkHotKey::PageOf(int i) const {
  return At(i) ? At(i)->Page : 0;
}

TShortCut TSkHotKey::ShortCutOf(int i) const {
  return At(i) ? At(i)->ShortCut : 0;
}

std::string TSkHotKey::ActionOf(int i) const {
  return At(i) ? At(i)->Action : std::string();
}

int TSkHotKey::Lookup(TShortCut pressed, int currentPage) const {
  // Entries whose text named no key hold 0; a press that names no key must not wake them.
  if (pressed == 0) return -1;
  for (int i = 0; i < Count(); ++i) {
    const RHotKey& k = keys_[static_cast<std::size_t>(i)];
    if (k.ShortCut == pressed && (k.Page == -1 || k.Page == currentPage)) return i;
  }
  return -1;
}
