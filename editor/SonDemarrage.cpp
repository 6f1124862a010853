#include "editor/SonDemarrage.h"

#include <algorithm>
#include <cmath>

#include "components/UWave.h"

std::vector<uint8_t> SonDemarrage() {
  constexpr int kTaux = 22050;
  constexpr double kDuree = 2.4;  // seconds
  // A rising major arpeggio that ends on the octave, each note a small bell.
  struct Note {
    double Debut, Frequence, Volume;
  };
  constexpr Note kNotes[] = {{0.00, 523.25, 0.8}, {0.16, 659.26, 0.7}, {0.32, 783.99, 0.7}, {0.48, 1046.50, 0.9}};
  // Partials of a bell: ratio, weight, decay per second.
  struct Partiel {
    double Rapport, Poids, Amorti;
  };
  constexpr Partiel kPartiels[] = {{1.0, 1.0, 2.2}, {2.0, 0.45, 3.5}, {3.01, 0.22, 5.0}, {4.2, 0.10, 7.0}};
  const int n = static_cast<int>(kTaux * kDuree);
  std::vector<double> mix(n, 0.0);
  for (const Note& note : kNotes) {
    const int debut = static_cast<int>(note.Debut * kTaux);
    for (int i = debut; i < n; ++i) {
      const double t = static_cast<double>(i - debut) / kTaux;
      const double attaque = std::min(1.0, t / 0.004);  // no click at the strike
      double v = 0;
      for (const Partiel& p : kPartiels)
        v += p.Poids * std::exp(-p.Amorti * t) * std::sin(2 * M_PI * note.Frequence * p.Rapport * t);
      mix[i] += note.Volume * attaque * v;
    }
  }
  double crete = 0;
  for (double v : mix) crete = std::max(crete, std::abs(v));
  const double gain = crete > 0 ? 0.55 * 32767 / crete : 0;
  std::vector<int16_t> echantillons(n);
  for (int i = 0; i < n; ++i) {
    // The last 50 ms fade out so that the sound ends on silence.
    const double fin = std::min(1.0, (n - 1 - i) / (0.05 * kTaux));
    echantillons[i] = static_cast<int16_t>(std::lrint(mix[i] * gain * fin));
  }
  return WaveImage(echantillons, kTaux, 1);
}
