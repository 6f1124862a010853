#pragma once
// Form placement: a window's position, size and state kept in an ini file, restored each time the
// window shows and saved when it closes. TFormStorage also keeps chosen properties of the
// window's widgets ("Panel_Gauche.Width"). A bare file name puts the ini file in the user's
// config folder.
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <functional>

class QWidget;
class TIniFile;
class TVxWindowHook;

enum TPlacementOption { fpState = 1, fpPosition = 2, fpActiveControl = 4 };

// Limits of the window's size and maximized place; 0 = not set.
struct TWinMinMaxInfo {
  int MaxPosLeft = 0, MaxPosTop = 0, MaxSizeHeight = 0, MaxSizeWidth = 0;
  int MaxTrackHeight = 0, MaxTrackWidth = 0, MinTrackHeight = 0, MinTrackWidth = 0;
  bool Vide() const {
    return !(MaxPosLeft || MaxPosTop || MaxSizeHeight || MaxSizeWidth || MaxTrackHeight || MaxTrackWidth ||
             MinTrackHeight || MinTrackWidth);
  }
};

// What a placement stores of a window. ShowCmd: 1 normal, 2 minimized, 3 maximized.
struct TPlacementFenetre {
  int Flags = 0;
  int ShowCmd = 1;
  QPoint MinPos{-1, -1}, MaxPos{-1, -1};
  QRect Normale;  // left, top, width, height of the normal (restored) window
};

// Writes a placement to `section`: Flags, ShowCmd, PixelsPerInch, then MinMaxPos and NormPos each
// twice, first under the key with the screen size "(WxH)" then under the plain key.
void EcrirePlacementIni(TIniFile& ini, const QString& section, const TPlacementFenetre& p, QSize ecran, int ppi);
// Reads a placement into p (which holds the window's current values as defaults). The positions
// are taken under the key of this screen size, else under the plain key. Returns true when a
// stored position was found and was written at the same pixels per inch (p.Normale and the
// min-max points were then replaced); Flags and ShowCmd are read in any case.
bool LirePlacementIni(const TIniFile& ini, const QString& section, QSize ecran, int ppi, TPlacementFenetre& p);
// The path of a placement ini file: a bare name lives in the config folder; empty gives the
// program's name with ".ini".
QString CheminIniPlacement(const QString& nom);

class TFormPlacement : public QObject {
  Q_OBJECT
 public:
  // Hooks the form at once: restore on each show, save on close (once per restore) and, when
  // nothing was saved since the last restore, when the placement goes with its form.
  explicit TFormPlacement(QWidget* form);
  ~TFormPlacement() override;

  bool Active = true;
  QString IniFileName;  // empty: the program's name with ".ini"
  QString IniSection;   // empty: the form's class name
  int Options = fpState | fpPosition;
  std::function<void()> OnSavePlacement, OnRestorePlacement;
  // Told when the ini file could not be written, with its path and the reason; the file on disk
  // is then as it was. It may come while the form is being destroyed: it must not reach into it.
  std::function<void(const QString& chemin, const QString& raison)> OnSaveFailed;

  const TWinMinMaxInfo& MinMaxInfo() const { return minMax_; }
  void SetMinMaxInfo(const TWinMinMaxInfo& m);
  bool PreventResize() const { return preventResize_; }
  void SetPreventResize(bool v);

  QString Section() const;
  // False when the ini file could not be written: OnSaveFailed is told, OnSavePlacement is not.
  bool SaveNow(bool destruction = false);
  void RestoreNow();
  bool Restored() const { return restored_; }

 protected:
  virtual void SavePlacement(TIniFile& ini);
  virtual void RestorePlacement(TIniFile& ini);
  QWidget* Form() const { return form_; }
  bool Destruction() const { return destruction_; }

 private:
  void AppliquerLimites();
  QPointer<QWidget> form_;
  TVxWindowHook* hook_;
  TWinMinMaxInfo minMax_;
  bool preventResize_ = false;
  mutable QString classe_;
  bool saved_ = false, restored_ = false, destruction_ = false;
};

class TFormStorage : public TFormPlacement {
  Q_OBJECT
 public:
  using TFormPlacement::TFormPlacement;
  // One entry per property: a widget's object name, a point and the property's name.
  QStringList StoredProps;

  // The key of an entry ("Panel_Gauche.Width" gives "Panel_Gauche_Width"); empty for a bad entry.
  static QString CleProp(const QString& entree);

 protected:
  void SavePlacement(TIniFile& ini) override;
  void RestorePlacement(TIniFile& ini) override;
};
