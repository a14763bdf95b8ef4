// Keyboard shortcuts of a window. A structure file writes a key combination as text
// ("Ctrl+F", "^F", "Alt+Shift+F5", "Num +"); the table keeps it in the Windows form that the
// manuals were written against: a virtual-key code in the low byte plus modifier bits. Key
// presses from Qt are brought into the same form, so matching is a comparison of two numbers.
#pragma once

#include <Qt>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class QKeyEvent;

using TShortCut = std::uint16_t;

inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;

// Windows virtual-key codes that the program names.
namespace vk {
enum : int {
  Back = 0x08,
  Tab = 0x09,
  Clear = 0x0C,
  Return = 0x0D,
  Shift = 0x10,
  Control = 0x11,
  Menu = 0x12,  // Alt
  Pause = 0x13,
  Capital = 0x14,
  Escape = 0x1B,
  Space = 0x20,
  Prior = 0x21,  // Page Up
  Next = 0x22,   // Page Down
  End = 0x23,
  Home = 0x24,
  Left = 0x25,
  Up = 0x26,
  Right = 0x27,
  Down = 0x28,
  Select = 0x29,
  Print = 0x2A,
  Execute = 0x2B,
  Snapshot = 0x2C,  // Print Screen
  Insert = 0x2D,
  Delete = 0x2E,
  Help = 0x2F,
  Key0 = 0x30,
  KeyA = 0x41,
  KeyQ = 0x51,
  LWin = 0x5B,
  RWin = 0x5C,
  Apps = 0x5D,
  Sleep = 0x5F,
  Numpad0 = 0x60,
  Multiply = 0x6A,
  Add = 0x6B,
  Separator = 0x6C,
  Subtract = 0x6D,
  Decimal = 0x6E,
  Divide = 0x6F,
  F1 = 0x70,
  F24 = 0x87,
  NumLock = 0x90,
  Scroll = 0x91,
  BrowserBack = 0xA6,
  BrowserForward = 0xA7,
  BrowserRefresh = 0xA8,
  BrowserStop = 0xA9,
  BrowserSearch = 0xAA,
  BrowserFavorites = 0xAB,
  BrowserHome = 0xAC,
  VolumeMute = 0xAD,
  VolumeDown = 0xAE,
  VolumeUp = 0xAF,
  MediaNextTrack = 0xB0,
  MediaPrevTrack = 0xB1,
  MediaStop = 0xB2,
  MediaPlayPause = 0xB3,
  LaunchMail = 0xB4,
  LaunchMediaSelect = 0xB5,
  LaunchApp1 = 0xB6,
  LaunchApp2 = 0xB7,
  Oem1 = 0xBA,  // ";:" on a US keyboard, "Жж" on a Russian one
  OemPlus = 0xBB,
  OemComma = 0xBC,
  OemMinus = 0xBD,
  OemPeriod = 0xBE,
  Oem2 = 0xBF,  // "/?"
  Oem3 = 0xC0,  // "`~", "Ёё"
  Oem4 = 0xDB,  // "[{", "Хх"
  Oem5 = 0xDC,  // "\|"
  Oem6 = 0xDD,  // "]}", "Ъъ"
  Oem7 = 0xDE,  // "'\"", "Ээ"
  Oem102 = 0xE2,
};
}  // namespace vk

// The combination a key text names (1251, prefixes and name in any case); 0 when it names no key.
TShortCut TextToShortCut(std::string_view text);

// The text a menu shows beside an entry: modifiers as "Shift+", "Ctrl+", "Alt+" in that order,
// then the key's name; empty for 0 or a key without a name.
std::string ShortCutToText(TShortCut shortCut);

// A pressed key in the table's form: 0 when the key has no one-byte code, so that a key the
// program cannot name never matches anything.
TShortCut KeyCombination(int virtualKey, bool shift, bool ctrl, bool alt);

// What a key press says about the key, as far as the platform tells.
struct TKeyPress {
  int Key = 0;  // Qt::Key
  Qt::KeyboardModifiers Modifiers;
  // The system's own virtual-key code, where the system has them (Windows); 0 elsewhere.
  std::uint32_t NativeVirtualKey = 0;
  // The xkb keycode of the physical key (X11, Wayland); 0 elsewhere. Lets a Cyrillic layout's
  // letter, or a shifted symbol, be read as the key it sits on.
  std::uint32_t XkbKeycode = 0;
};

TKeyPress KeyPressOf(const QKeyEvent& event);

// The Windows virtual-key code of a key press; 0 for a key that has none.
int VirtualKeyOf(const TKeyPress& press);

// The combination of a key press with its Shift, Ctrl and Alt state.
TShortCut PressedShortCut(const TKeyPress& press);
TShortCut PressedShortCut(const QKeyEvent& event);

// A window's hot keys, in the order they were registered; the first registration of a
// combination wins. Entries are never removed.
class TSkHotKey {
 public:
  // text: key text, "*", action string (which may hold further "*" and "//"). page: the notebook
  // page the key belongs to; -1 makes it a key of every page.
  void AddKey(std::string_view text, int page);

  int Count() const { return static_cast<int>(keys_.size()); }
  // Fields of entry i; 0, 0 and "" for an i that names no entry.
  int PageOf(int i) const;
  TShortCut ShortCutOf(int i) const;
  std::string ActionOf(int i) const;

  // The first entry for `pressed` that belongs to `currentPage` (-1 when the window has no
  // notebook) or to every page; -1 when none does.
  int Lookup(TShortCut pressed, int currentPage) const;

 private:
  struct RHotKey {
    std::int32_t Page;
    std::string Action;
    TShortCut ShortCut;
  };
  const RHotKey* At(int i) const;

  std::vector<RHotKey> keys_;
};
