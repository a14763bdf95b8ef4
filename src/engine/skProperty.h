// The keys many control types share with one meaning. A type accepts a shared key by naming it in
// its own key handler; the meaning lives here once.
#pragma once

#include <string>

class TSkStract;
class TSkControl;

enum TSharedKey : unsigned {
  skAction = 1u << 0,
  skHint = 1u << 1,
  skCaption = 1u << 2,
  skFont = 1u << 3,
  skAnchor = 1u << 4,
  skSkin = 1u << 5,  // the theme object only
  skMenu = 1u << 6,
  skSizeLimits = 1u << 7,  // min_width, min_height, max_width, max_height
  skColor = 1u << 8,
  skMove = 1u << 9,
};

// Applies `key` when it is one of the shared keys in `accepted`; false otherwise.
bool ApplySharedKey(TSkStract& engine, TSkControl* control, const std::string& key, const std::string& value,
                    unsigned accepted);

// The anchor key on its own, for types that place themselves by it.
void ApplyAnchorKey(TSkControl* control, const std::string& value);

// Switches a panel's or parent panel's centring; implemented by those types.
class TCentering {
 public:
  virtual ~TCentering() = default;
  virtual void SetCenterHorz(bool on) = 0;
  virtual void SetCenterVert(bool on) = 0;
  // Centres the control in its parent now, as far as its centring flags ask.
  virtual void Recenter() = 0;
};
