#pragma once
// First-start language choice: lists the language files of the program folder and stores the
// chosen name in PatcheLangue. Its own texts are fixed, since no language is loaded yet.
#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>

class QGroupBox;
class QListWidget;
class QPushButton;

class TWelcomeDlg : public QDialog {
 public:
  explicit TWelcomeDlg(QWidget* parent = nullptr);

  QGroupBox* GroupBox1 = nullptr;
  QListWidget* ListBox1 = nullptr;
  QPushButton* BT_OK = nullptr;

  void done(int r) override;
  void reject() override;  // Escape does not close it: there is no cancel button

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void FormCreate();
  void FormClose();
  bool ferme_ = false;
};

// Tests and scripted runs choose the language without the dialog: the hook gets the language
// names and returns the one to use.
using TChoixLangue = std::function<QString(const QStringList&)>;
void InstallerChoixLangue(TChoixLangue choix);  // empty function = show the dialog again

// Asks for the language at start-up and leaves the choice in PatcheLangue (empty when no
// language file exists). The environment variable VEXO_LANGUE names a language to take without
// asking; on a headless display the first language is taken.
void ChoisirLangueDemarrage();
