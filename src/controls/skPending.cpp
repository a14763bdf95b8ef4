#include "controls/skPending.h"

#include <cstring>

#include "engine/skProperty.h"
#include "engine/skUseStract.h"
#include "engine/skValues.h"
#include "util/cp1251.h"

namespace {

// How each key of these types is read. I integer, B boolean, C colour, F font, A anchor,
// T text or file name, S skin; a control type name means "the name of a control of that type".
struct KeyForm {
  const char* type;
  const char* key;
  const char* form;
};

constexpr KeyForm kForms[] = {
    {"html", "anchor", "A"},
    {"html", "action", "T"},
    {"html", "move_cursor", "B"},
    {"html", "load", "T"},
    {"html", "menu", "pop_menu"},
    {"html", "link_tree_ex", "tree_ex"},
    {"html", "link_tree", "tree"},
    {"html", "label_title", "label"},
    {"html", "font_name", "T"},
    {"html", "font_size", "I"},
    {"html", "move", "B"},
    {"tree", "min_width", "I"},
    {"tree", "min_height", "I"},
    {"tree", "max_width", "I"},
    {"tree", "max_height", "I"},
    {"tree", "anchor", "A"},
    {"tree", "action", "T"},
    {"tree", "load", "T"},
    {"tree", "bordur", "B"},
    {"tree", "open_block", "B"},
    {"tree", "link_html", "html"},
    {"tree", "color", "C"},
    {"tree", "font", "F"},
    {"tree", "color_select", "C"},
    {"tree", "but_next", "sp_button"},
    {"tree", "but_prev", "sp_button"},
    {"tree", "skin", "S"},
    {"tree_ex", "anchor", "A"},
    {"tree_ex", "action", "T"},
    {"tree_ex", "load", "T"},
    {"tree_ex", "min_width", "I"},
    {"tree_ex", "min_height", "I"},
    {"tree_ex", "color_bg", "C"},
    {"tree_ex", "color_bg_select", "C"},
    {"tree_ex", "color_text", "C"},
    {"tree_ex", "color_text_select", "C"},
    {"tree_ex", "color_track", "C"},
    {"tree_ex", "color_scroll", "C"},
    {"tree_ex", "check", "B"},
    {"tree_ex", "bordur", "B"},
    {"tree_ex", "link_html", "html"},
    {"tree_ex", "skin", "T"},
    {"flash", "anchor", "A"},
    {"flash", "track_bar", "track_bar"},
    {"flash", "loop", "B"},
    {"flash", "load", "T"},
    {"media", "anchor", "A"},
    {"media", "load", "T"},
    {"media", "track_bar", "track_bar"},
    {"list_img", "anchor", "A"},
    {"list_img", "action", "T"},
    {"list_img", "color", "C"},
    {"list_img", "center", "B"},
    {"list_img", "scroll", "B"},
    {"list_img", "load", "T"},
    {"list_img", "next_button", "button"},
    {"list_img", "prev_button", "button"},
    {"list_img", "next_gif", "T"},
    {"list_img", "prev_gif", "T"},
    {"image", "action", "T"},
    {"image", "anchor", "A"},
    {"image", "load", "T"},
    {"image", "scale", "B"},
    {"image", "max_scale", "I"},
    {"image", "min_scale", "I"},
    {"image", "menu", "pop_menu"},
    {"image", "center", "B"},
    {"image", "move", "B"},
    {"gif", "anchor", "A"},
    {"gif", "load", "T"},
    {"grid", "anchor", "A"},
    {"grid", "action", "T"},
    {"grid", "font_fix", "F"},
    {"grid", "font_cell", "F"},
    {"grid", "color_noteven", "C"},
    {"grid", "color_even", "C"},
    {"grid", "color_fix", "C"},
    {"grid", "draw_line", "B"},
    {"grid", "width_fix", "I"},
    {"grid", "print_column", "I"},
    {"grid", "width_cell", "I"},
    {"grid", "skin", "S"},
    {"html_grid", "anchor", "A"},
    {"html_grid", "width_table", "I"},
    {"html_grid", "height_table", "I"},
    {"html_grid", "center", "B"},
    {"html_grid", "load", "T"},
    {"html_grid", "line", "I"},
    {"html_grid", "row", "I"},
    {"html_grid", "color_even", "T"},
    {"html_grid", "color_noteven", "T"},
    {"html_grid", "color_line", "B"},
    {"html_grid", "size_bordur", "I"},
    {"html_grid", "font_name", "T"},
    {"html_grid", "font_size", "I"},
    {"html_grid", "width_one_row", "I"},
    {"html_grid", "width_row", "I"},
    {"diagram", "anchor", "A"},
    {"diagram", "hint", "T"},
    {"diagram", "max", "I"},
    {"diagram", "height_line", "I"},
    {"diagram", "color_separat", "C"},
    {"diagram", "color_polosa", "C"},
    {"diagram", "font_caption", "F"},
    {"diagram", "font_number", "F"},
    {"diagram", "margin", "I"},
    {"diagram", "separate", "I"},
    {"diagram", "load", "T"},
    {"pic", "anchor", "A"},
    {"pic", "skin", "S"},
};

struct NamedType {
  const char* name;
  TControlType type;
};
constexpr NamedType kLinkTypes[] = {
    {"pop_menu", TControlType::PopMenu},   {"tree_ex", TControlType::TreeEx},
    {"tree", TControlType::Tree},          {"label", TControlType::Label},
    {"html", TControlType::Html},          {"sp_button", TControlType::SpButton},
    {"track_bar", TControlType::TrackBar}, {"button", TControlType::Button},
};

}  // namespace

TSkPending::TSkPending(QWidget* parent, TControlType type, const std::string& typeName)
    : QFrame(parent), TSkControl(this) {
  Type = type;
  TypeName = typeName;
  setFrameShape(QFrame::NoFrame);
}

bool TSkPending::SetKey(TSkStract& engine, const std::string& key, const std::string& value) {
  for (const KeyForm& f : kForms) {
    if (TypeName != f.type || key != f.key) continue;
    const std::string form = f.form;
    if (form == "I")
      StrToInt(value);
    else if (form == "C")
      ParseColor(value);
    else if (form == "F") {
      QFont font;
      QColor color;
      ApplyFontValue(font, color, value);
    } else if (form == "A")
      ApplyAnchorKey(this, value);
    else if (form == "S")
      ApplySharedKey(engine, this, key, value, skSkin);
    else if (form != "B" && form != "T") {
      for (const NamedType& t : kLinkTypes)
        if (form == t.name) engine.GetComponent(value, t.type);
    }
    if (key == "action") Action = value;
    keys_.emplace_back(key, value);
    return true;
  }
  return false;
}

void TSkPending::Dump(TDumpFields& out) const {
  out.emplace_back("pending", "1");
  for (const auto& kv : keys_)
    if (kv.first == "load") out.emplace_back("load", kv.second);
}
