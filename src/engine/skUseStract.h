// The interface description engine: one structure file built into one page of one window, and
// run. Its work is split into units that read in the order a structure file travels:
//   skLoad        LoadStructure: sections, building order, start action
//   skMakeObject  MakeObject and the type table
//   skProperty    SetProperty: common keys, shared keys, the form's keys
//   skRegistry    the control lists and lookups
//   skDispatch    DoAction, RunAction, the control event handlers and the verbs
//   skWindowState ShowPage, panel layout, maximize buttons, splash, registry values, position
#pragma once

#include <QObject>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "commands/skCommand.h"
#include "controls/skControl.h"
#include "controls/skSkin.h"
#include "engine/skIni.h"

class TSkForm;
class TSkItem;
class QProgressBar;
class QLabel;

class TSkStract : public QObject {
  Q_OBJECT

 public:
  // Switches the window's frame painting off until loading ends and remembers the structure file.
  TSkStract(TSkForm* window, const std::string& structFile);
  // Saves position and favorites, frees every control and the temporary copy of the file.
  ~TSkStract() override;

  TSkForm* Window() const { return window_; }
  int Page = -1;  // the engine's page in the window's notebook
  QWidget* PageWidget() const;

  // --- loading (skLoad) ---
  void LoadStructure();
  const std::string& StructFile() const { return structFile_; }

  // --- construction and keys (skMakeObject, skProperty) ---
  // Builds one section; gives the control when it can hold children.
  TSkControl* MakeObject(QWidget* parent, const std::string& section, const std::string& type);
  void SetProperty(QObject* object, const std::string& section, const std::string& type);
  // The section's keys as read, for controls that read more than one key together.
  const TIniFile& Ini() const { return ini_; }

  // --- registry (skRegistry) ---
  bool ReportErrors = true;
  void ReportError(const std::string& message);
  TSkControl* GetControl(const std::string& name);
  TSkControl* GetComponent(const std::string& name, TControlType type);
  template <class T>
  T* Get(const std::string& name, TControlType type) {
    return dynamic_cast<T*>(GetComponent(name, type));
  }
  TSkControl* FindComboByVerb(const std::string& verb);
  TSkControl* FindSpButtonByAction(const std::string& verb, const std::string& argText);
  // Live controls in creation order: all of them, or those of one type.
  std::vector<TSkControl*> Controls() const;
  std::vector<TSkControl*> ControlsOf(TControlType type) const;

  // --- dispatching (skDispatch) ---
  std::function<void(const RHelpAction&)> OnCommand;
  std::string HelpId;
  void DoAction(const RHelpAction& action);
  void RunAction(const std::string& text);
  void DoClick(TSkControl* sender);
  void DoClickItem(TSkItem* item);
  void DoKeyDown(TSkControl* sender, int key);
  void DoItemSelect(TSkControl* sender, bool selected);

  // --- window state (skWindowState) ---
  std::string RegPath;
  bool SavePos = false;
  bool SplashAutoClose = true;
  void ShowPage();
  void LayoutPanels();
  void StorePanelShares();
  void MaximizeChanged();
  void SwapMaxButtons(bool maximized);
  void WriteReg(const std::string& name, const std::string& value);
  std::string ReadReg(const std::string& name);
  void SavePosition();
  void LoadPosition();
  void ShowSplash(const std::string& value);
  void StepSplash();
  void CloseSplash();
  bool HasSplash() const { return splash_ != nullptr; }
  QProgressBar* SplashBar() const { return splashBar_; }
  void SuspendImageFit();
  void ResumeImageFit();

  // --- skins ---
  TSkSkin Skins;
  std::string SkinFile;

 private:
  void Register(TSkControl* control);
  void ApplyFormKey(const std::string& key, const std::string& value);
  void ApplyCommonKey(TSkControl* control, QWidget* widget, const std::string& key, const std::string& value);
  void ConnectEvents(TSkControl* control);
  void BuildHotKeys(const std::string& section);
  void InstallListHints();
  // Points the window's maximize notification and action event, or its size event, at this engine.
  void AttachFormEvents();
  void AttachLayout();

  TSkForm* window_;
  std::string structFile_;
  std::string tempFile_;
  std::string formName_;
  TIniFile ini_;
  // Controls in creation order with their type; a destroyed control leaves a null pointer behind,
  // so no list ever hands out a dead control.
  std::vector<std::pair<QPointer<QObject>, TSkControl*>> controls_;
  int splashStep_ = 1;
  QWidget* splash_ = nullptr;
  QProgressBar* splashBar_ = nullptr;
};

// Runs `work`; a conversion or other error ends it and reaches the program's general error
// display, as an error escaping an event handler did in the original.
void GuardedCall(const std::function<void()>& work);
