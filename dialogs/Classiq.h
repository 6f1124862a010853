#pragma once
// The notation assistant: a modeless tool window showing the current beat on a staff.
#include <QDialog>

class TClassForm : public QDialog {
  Q_OBJECT
 public:
  explicit TClassForm(QWidget* parent = nullptr);
  void AfficherNotesTemps();  // redraws the current beat's notes when shown
};

extern TClassForm* ClassForm;
