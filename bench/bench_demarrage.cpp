// Start-up: from the launch of the program to the main window's first paint, with no SoundFont,
// the small General MIDI one and the large one when the machine has it; the resident memory of the
// empty editor once the synth is up goes with it as a counter. Each run is a new process.
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
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct TMesureDemarrage {
  double secondes = -1;  // launch to first paint
  long rssKo = 0;        // empty editor, synth up
};

TMesureDemarrage Lancer(const QString& dossier, const char* soundFont) {
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
  std::string exe = VEXO_EXE;
  char* argv[] = {exe.data(), nullptr};

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

void BM_Demarrage(benchmark::State& state, const char* soundFont) {
  if (*soundFont && !QFileInfo::exists(QString::fromLocal8Bit(soundFont))) {
    state.SkipWithError("SoundFont not installed");
    return;
  }
  QTemporaryDir dir;
  {
    // A settings file that names the language, so that no language question stops the start.
    QFile ini(QDir(dir.path()).filePath("Vexo220.ini"));
    if (!ini.open(QIODevice::WriteOnly)) {
      state.SkipWithError("no settings folder");
      return;
    }
    ini.write("[Config]\r\nPatcheLangue=English\r\n");
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
