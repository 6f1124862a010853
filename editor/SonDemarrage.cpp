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
  // Each partial's sine turns by one fixed rotation a sample and its decay shrinks by one fixed
  // factor, instead of a sine and an exponential per sample: the sound is made while the windows
  // are, and the direct sums took longer than they do. Every block restarts from the exact values,
  // so rounding never builds up.
  constexpr int kBloc = 512;
  std::vector<double> cloche(n);
  for (const Note& note : kNotes) {
    const int debut = static_cast<int>(note.Debut * kTaux);
    std::fill(cloche.begin(), cloche.end(), 0.0);
    for (const Partiel& p : kPartiels) {
      const double omega = 2 * M_PI * note.Frequence * p.Rapport;
      const double cosPas = std::cos(omega / kTaux), sinPas = std::sin(omega / kTaux);
      const double amorti = std::exp(-p.Amorti / kTaux);
      for (int bloc = debut; bloc < n; bloc += kBloc) {
        const double t0 = static_cast<double>(bloc - debut) / kTaux;
        double s = std::sin(omega * t0), c = std::cos(omega * t0), e = p.Poids * std::exp(-p.Amorti * t0);
        for (int i = bloc, fin = std::min(n, bloc + kBloc); i < fin; ++i) {
          cloche[i] += e * s;
          const double s1 = s * cosPas + c * sinPas;
          c = c * cosPas - s * sinPas;
          s = s1;
          e *= amorti;
        }
      }
    }
    for (int i = debut; i < n; ++i) {
      const double t = static_cast<double>(i - debut) / kTaux;
      const double attaque = std::min(1.0, t / 0.004);  // no click at the strike
      mix[i] += note.Volume * attaque * cloche[i];
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
