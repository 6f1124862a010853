#include "dialogs/BoutonsRepetes.h"

#include <QAbstractButton>
#include <QTimer>
#include <utility>

int IntervalleRepetition(int repetition) {
  if (repetition == 0) return 300;
  return repetition >= 10 ? 50 : 100;
}

int IntervalleAccordage(int repetition) {
  if (repetition == 0) return 300;
  return repetition >= 10 ? 150 : 200;
}

int IntervalleRepetition(AllureRepetition allure, int repetition) {
  return allure == AllureRepetition::Accordage ? IntervalleAccordage(repetition) : IntervalleRepetition(repetition);
}

int FacteurRepetition(AllureRepetition allure, int repetition) {
  if (repetition < 30) return 1;
  return allure == AllureRepetition::Accordage ? 2 : 3;
}

TBoutonsRepetes::TBoutonsRepetes(QObject* parent, AllureRepetition allure)
    : QObject(parent), allure_(allure), minuterie_(new QTimer(this)) {
  minuterie_->setSingleShot(true);
  connect(minuterie_, &QTimer::timeout, this, [this] { Repeter(); });
}

void TBoutonsRepetes::Brancher(QAbstractButton* b, std::function<void(int)> pas) {
  // The button's own auto-repeat would emit pressed again at each repeat and restart the count.
  b->setAutoRepeat(false);
  connect(b, &QAbstractButton::pressed, this, [this, pas = std::move(pas)] {
    pas_ = pas;
    repetitions_ = 0;
    pas_(1);
    minuterie_->start(IntervalleRepetition(allure_, 0));
  });
  connect(b, &QAbstractButton::released, this, &TBoutonsRepetes::Arreter);
}

void TBoutonsRepetes::Arreter() { minuterie_->stop(); }

void TBoutonsRepetes::Repeter() {
  const int n = ++repetitions_;
  if (pas_) pas_(FacteurRepetition(allure_, n));
  minuterie_->start(IntervalleRepetition(allure_, n));
}
