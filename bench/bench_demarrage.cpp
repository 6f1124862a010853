// Start-up: from the launch of the program to the main window's first paint, with no SoundFont,
// the small General MIDI one and the large one when the machine has it; the resident memory of the
// empty editor once the synth is up goes with it as a counter. Each run is a new process. Against it,
// a bare QMainWindow built with the same flags and timed the same way (target: the editor within 1.5
// times its time), and the editor's memory with the reference song open (target: under 80 MB).
#include <benchmark/benchmark.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "lancement.h"

extern char** environ;

namespace {

struct TMesureDemarrage {
  double secondes = -1;  // launch to first paint
  long rssKo = 0;        // empty editor, synth up
};

TMesureDemarrage Lancer(const QString& dossier, const char* soundFont, std::string exe = VEXO_EXE,
                        std::string argument = {}) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string v = *e;
    if (v.rfind("VEXO_", 0) != 0) env.push_back(v);
  }
  env.push_back("VEXO_HOME=" + dossier.toStdString());
  env.push_back(std::string("VEXO_SOUNDFONT=") + soundFont);
  env.push_back("VEXO_MESURE_DEMARRAGE=1");
  if (!qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    env.push_back("QT_QPA_PLATFORM=offscreen");
  std::vector<char*> envp;
  for (auto& v : env) envp.push_back(v.data());
  envp.push_back(nullptr);
  char* argv[] = {exe.data(), argument.empty() ? nullptr : argument.data(), nullptr};

  int tube[2];
  if (pipe(tube) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, tube[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, tube[0]);
  TMesureDemarrage r;
  const auto debut = std::chrono::steady_clock::now();
  pid_t pid;
  const int err = posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(tube[1]);
  if (err != 0) {
    close(tube[0]);
    return r;
  }
  // Lines as they come, with a deadline: a run that never paints (a question, a crash) is ended.
  const auto limite = debut + std::chrono::seconds(30);
  std::string tampon;
  bool fini = false;
  while (!fini) {
    const auto reste = std::chrono::duration_cast<std::chrono::milliseconds>(limite - std::chrono::steady_clock::now());
    pollfd pf{tube[0], POLLIN, 0};
    if (reste.count() <= 0 || poll(&pf, 1, static_cast<int>(reste.count())) <= 0) break;
    char bloc[256];
    const ssize_t n = read(tube[0], bloc, sizeof bloc);
    if (n <= 0) break;
    tampon.append(bloc, static_cast<size_t>(n));
    for (size_t fin; (fin = tampon.find('\n')) != std::string::npos; tampon.erase(0, fin + 1)) {
      const std::string l = tampon.substr(0, fin);
      if (l.rfind("peint", 0) == 0 && r.secondes < 0)
        r.secondes = std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
      else if (l.rfind("rss ", 0) == 0) {
        r.rssKo = std::stol(l.substr(4));
        fini = true;
      }
    }
  }
  close(tube[0]);
  int statut = 0;
  if (!fini) kill(pid, SIGKILL);
  waitpid(pid, &statut, 0);
  return r;
}

// A settings file that names the language, so that no language question stops the start.
bool PreparerReglages(const QTemporaryDir& dir) {
  QFile ini(QDir(dir.path()).filePath("Vexo220.ini"));
  if (!ini.open(QIODevice::WriteOnly)) return false;
  ini.write("[Config]\r\nPatcheLangue=English\r\n");
  return true;
}

double Mediane(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : (v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2);
}

void BM_Demarrage(benchmark::State& state, const char* soundFont) {
  if (*soundFont && !QFileInfo::exists(QString::fromLocal8Bit(soundFont))) {
    state.SkipWithError("SoundFont not installed");
    return;
  }
  QTemporaryDir dir;
  if (!PreparerReglages(dir)) {
    state.SkipWithError("no settings folder");
    return;
  }
  long rss = 0;
  for (auto _ : state) {
    const TMesureDemarrage m = Lancer(dir.path(), *soundFont ? soundFont : "/nonexistent/none.sf2");
    if (m.secondes < 0 || m.rssKo == 0) {
      state.SkipWithError("the program did not paint its window");
      return;
    }
    state.SetIterationTime(m.secondes);
    rss = m.rssKo;
  }
  state.counters["rss_MB"] = benchmark::Counter(rss / 1024.0);
}

// The editor (no SoundFont) and the bare window launched in turn, seven times each; the time is the
// editor's median, with the bare window's median and the ratio as counters. Target: ratio <= 1.5.
// Beside them, what the bare window costs once it shows the editor's menu titles, and once the
// splash screen comes first as well: the share of the ratio that any window with text, and the
// splash the editor must show, take before the editor's own work.
void BM_DemarrageContreFenetreNue(benchmark::State& state) {
  QTemporaryDir dir;
  if (!PreparerReglages(dir)) {
    state.SkipWithError("no settings folder");
    return;
  }
  for (auto _ : state) {
    std::vector<double> editeur, nue, menus, menusSplash;
    for (int i = 0; i < 7; ++i) {
      const TMesureDemarrage n = Lancer(dir.path(), "", VEXO_FENETRE_NUE_EXE);
      const TMesureDemarrage m = Lancer(dir.path(), "", VEXO_FENETRE_NUE_EXE, "menus");
      const TMesureDemarrage ms = Lancer(dir.path(), "", VEXO_FENETRE_NUE_EXE, "menus+splash");
      const TMesureDemarrage e = Lancer(dir.path(), "/nonexistent/none.sf2");
      if (n.secondes < 0 || m.secondes < 0 || ms.secondes < 0 || e.secondes < 0) {
        state.SkipWithError("a program did not paint its window");
        return;
      }
      nue.push_back(n.secondes);
      menus.push_back(m.secondes);
      menusSplash.push_back(ms.secondes);
      editeur.push_back(e.secondes);
    }
    const double base = Mediane(nue);
    state.SetIterationTime(Mediane(editeur));
    state.counters["bare_ms"] = base * 1000;
    state.counters["ratio"] = Mediane(editeur) / base;
    state.counters["target_ratio"] = 1.5;
    state.counters["menus_ratio"] = Mediane(menus) / base;
    state.counters["menus_splash_ratio"] = Mediane(menusSplash) / base;
  }
}
BENCHMARK(BM_DemarrageContreFenetreNue)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// The editor opened on the reference song (no SoundFont): its resident memory once the synth is up.
// Target: under 80 MB.
void BM_EditeurAvecChanson(benchmark::State& state) {
  QTemporaryDir dir;
  const QString chanson = FichierReference("song");
  if (!PreparerReglages(dir) || chanson.isEmpty()) {
    state.SkipWithError("no settings folder or reference song");
    return;
  }
  long rss = 0;
  for (auto _ : state) {
    const TMesureDemarrage m = Lancer(dir.path(), "/nonexistent/none.sf2", VEXO_EXE, chanson.toStdString());
    if (m.secondes < 0 || m.rssKo == 0) {
      state.SkipWithError("the program did not paint its window");
      return;
    }
    state.SetIterationTime(m.secondes);
    rss = m.rssKo;
  }
  state.counters["rss_MB"] = rss / 1024.0;
  state.counters["target_MB"] = 80;
}
BENCHMARK(BM_EditeurAvecChanson)->UseManualTime()->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace

#define DEMARRAGE(nom, police)                                                                     \
  BENCHMARK_CAPTURE(BM_Demarrage, nom, police)                                                    \
      ->UseManualTime()                                                                            \
      ->Iterations(1)                                                                              \
      ->Repetitions(6)                                                                             \
      ->ReportAggregatesOnly(true)                                                                 \
      ->Unit(benchmark::kMillisecond)

DEMARRAGE(no_soundfont, "");
DEMARRAGE(small_TimGM6mb, "/usr/share/sounds/sf2/TimGM6mb.sf2");
DEMARRAGE(large_FluidR3, "/usr/share/sounds/sf2/FluidR3_GM.sf2");
