#include "platform/FluidMediaPlayer.h"

#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <string>
#include <system_error>

#include "platform/AudioLibraries.h"
#include "platform/CheckedFile.h"
#include "platform/Folders.h"
#include "platform/Types.h"

namespace {
// Only called once the library is open: every path that reaches a synth checks FluidSynthApi() first.
const TFluidSynthApi& Fs() { return *FluidSynthApi(); }

// FluidSynth reports failures through its log; keep the last one for Erreur() instead of printing.
std::mutex gLogMutex;
std::string gDernierMessage;

void CaptureLog(int, const char* message, void*) {
  std::lock_guard<std::mutex> lock(gLogMutex);
  gDernierMessage = message ? message : "";
}

void InstallerLog() {
  static std::once_flag once;
  std::call_once(once, [] {
    Fs().fluid_set_log_function(FLUID_PANIC, CaptureLog, nullptr);
    Fs().fluid_set_log_function(FLUID_ERR, CaptureLog, nullptr);
    Fs().fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    Fs().fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    Fs().fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
  });
}

QString DernierMessage(const QString& quoi) {
  std::lock_guard<std::mutex> lock(gLogMutex);
  QString detail = QString::fromLocal8Bit(gDernierMessage.c_str());
  gDernierMessage.clear();
  return detail.isEmpty() ? quoi : quoi + QStringLiteral(": ") + detail;
}

// Same, for the worker thread: no Qt there. An empty `quoi` gives the message alone.
std::string DernierMessageBrut(const char* quoi) {
  std::lock_guard<std::mutex> lock(gLogMutex);
  std::string r = gDernierMessage.empty() ? quoi : *quoi ? std::string(quoi) + ": " + gDernierMessage : gDernierMessage;
  gDernierMessage.clear();
  return r;
}

// The synth's output level. FluidSynth's own default leaves a full chord near -13 dBFS; at this
// gain a six-string chord at the loudest dynamic peaks near -6 dBFS with room left before clipping.
constexpr double kGainSynth = 0.43;
// The sixteen channels the files play on, and room for the presets kept selected behind them.
constexpr int kCanauxSynth = 64;

// Settings shared by the player and the file renderer.
void ReglerSynth(fluid_settings_t* settings) {
  Fs().fluid_settings_setint(settings, "synth.lock-memory", 0);
  Fs().fluid_settings_setnum(settings, "synth.gain", kGainSynth);
}

// Settings and synth with the SoundFont loaded; false (and nothing kept) when either fails.
bool CreerSynth(const QString& soundFont, fluid_settings_t* settings, fluid_synth_t** synth, QString* erreur) {
  *synth = nullptr;
  if (!QFileInfo(soundFont).isFile()) {
    if (erreur) *erreur = QStringLiteral("SoundFont not found: ") + soundFont;
    return false;
  }
  fluid_synth_t* s = Fs().new_fluid_synth(settings);
  if (!s) {
    if (erreur) *erreur = DernierMessage(QStringLiteral("The synthesizer could not be created"));
    return false;
  }
  if (Fs().fluid_synth_sfload(s, QFile::encodeName(soundFont).constData(), 1) == FLUID_FAILED) {
    if (erreur) *erreur = DernierMessage(QStringLiteral("The SoundFont could not be loaded"));
    Fs().delete_fluid_synth(s);
    return false;
  }
  *synth = s;
  return true;
}

// Sends one channel message to the synth; FluidSynth's API is locked, so any thread may.
void Envoyer(fluid_synth_t* s, const TEvenementCanal& e) {
  const int canal = e.Statut & 0x0F;
  switch (e.Statut & 0xF0) {
    case 0x80: Fs().fluid_synth_noteoff(s, canal, e.D1); break;
    case 0x90:
      if (e.D2 != 0) Fs().fluid_synth_noteon(s, canal, e.D1, e.D2);
      else Fs().fluid_synth_noteoff(s, canal, e.D1);
      break;
    case 0xA0: Fs().fluid_synth_key_pressure(s, canal, e.D1, e.D2); break;
    case 0xB0: Fs().fluid_synth_cc(s, canal, e.D1, e.D2); break;
    case 0xC0: Fs().fluid_synth_program_change(s, canal, e.D1); break;
    case 0xD0: Fs().fluid_synth_channel_pressure(s, canal, e.D1); break;
    case 0xE0: Fs().fluid_synth_pitch_bend(s, canal, e.D1 | (e.D2 << 7)); break;
    default: break;
  }
}

// Sets a WAV file's RIFF and data sizes to what the file holds now. The renderer writes them only
// when it is closed, at the end of the run: until then the file would read as empty. A frame cut
// short by a full disk is dropped. Called by the one thread that writes the file, between two of
// its blocks. No Qt: that thread has none.
void CompleterEnTeteWav(int fd) {
  struct stat etat {};
  uint8_t morceau[12];
  auto lire32 = [&](int at) {
    return uint32_t(morceau[at]) | uint32_t(morceau[at + 1]) << 8 | uint32_t(morceau[at + 2]) << 16 |
           uint32_t(morceau[at + 3]) << 24;
  };
  auto ecrire32 = [&](off_t at, uint64_t valeur) {
    const uint32_t v = static_cast<uint32_t>(std::min<uint64_t>(valeur, UINT32_MAX));
    const uint8_t octets[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    return ::pwrite(fd, octets, 4, at) == 4;
  };
  if (::fstat(fd, &etat) == 0 && S_ISREG(etat.st_mode) && ::pread(fd, morceau, 12, 0) == 12 &&
      std::memcmp(morceau, "RIFF", 4) == 0 && std::memcmp(morceau + 8, "WAVE", 4) == 0) {
    // The chunks before the sound (format, and any other) are passed over by their lengths.
    const off_t taille = etat.st_size;
    off_t pos = 12;
    uint64_t trame = 1;  // bytes per frame, from the format chunk
    while (pos + 8 <= taille && ::pread(fd, morceau, 8, pos) == 8) {
      const uint32_t longueur = lire32(4);
      uint8_t bloc[2];
      if (std::memcmp(morceau, "fmt ", 4) == 0 && longueur >= 14 && ::pread(fd, bloc, 2, pos + 20) == 2)
        trame = std::max(1, bloc[0] | bloc[1] << 8);
      if (std::memcmp(morceau, "data", 4) == 0) {
        const uint64_t son = uint64_t(taille - pos - 8) / trame * trame;
        if (pos + 8 + off_t(son) < taille && ::ftruncate(fd, pos + 8 + off_t(son)) != 0) break;
        if (ecrire32(pos + 4, son)) ecrire32(4, uint64_t(pos) + son);
        break;
      }
      pos += 8 + off_t(longueur) + (longueur & 1);
    }
  }
}

// The audio file, looked at as the checked writer looks at its target (through its links, a
// regular file or nothing yet, without opening anything), then opened without waiting and looked
// at again once open. -1, with the reason, otherwise.
int OuvrirFichierAudio(const QString& chemin, QString* pourquoi) {
  if (!CheckWriteTarget(chemin, pourquoi)) return -1;
  const int fd = ::open(QFile::encodeName(chemin).constData(), O_RDWR | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC,
                        0666);
  struct stat etat {};
  if (fd >= 0 && ::fstat(fd, &etat) == 0 && S_ISREG(etat.st_mode)) return fd;
  *pourquoi = fd < 0 ? QString::fromLocal8Bit(std::strerror(errno)) : QStringLiteral("Not a regular file");
  if (fd >= 0) ::close(fd);
  return -1;
}

uint32_t Big(const QByteArray& b, qsizetype at, int n) {
  uint32_t v = 0;
  for (int i = 0; i < n; ++i) v = (v << 8) | static_cast<uint8_t>(b[at + i]);
  return v;
}
}  // namespace

QString CheminSoundFont() {
  QString env = CheminAuDepart(qEnvironmentVariable("VEXO_SOUNDFONT"));
  return env.isEmpty() ? QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2") : env;
}

namespace {
// Walks a tempo map forwards: each time asked for a later tick, it goes on from where it stood, so
// that timing every event of a file walks the map once.
struct TMarcheTempo {
  const TCarteTempo& c;
  size_t suivant = 0;  // the first tempo change not yet passed
  double us = 0;
  qint64 depuis = 0;
  int tempo = 500000;  // 120 beats per minute until the file says otherwise

  qint64 Ms(qint64 tick) {
    if (c.MsParTickSmpte > 0) return Arrondi(static_cast<double>(tick) * c.MsParTickSmpte);
    for (; suivant < c.Tempos.size() && c.Tempos[suivant].first < tick; ++suivant) {
      us += static_cast<double>(c.Tempos[suivant].first - depuis) * tempo;
      depuis = c.Tempos[suivant].first;
      tempo = c.Tempos[suivant].second;
    }
    return static_cast<qint64>(std::nearbyint((us + static_cast<double>(tick - depuis) * tempo) / c.Division / 1000.0));
  }
};

// Ends one of the player's threads: its stop flag is raised under its mutex, so that the thread
// cannot miss the wake-up between its test and its wait, then the thread is joined.
void ArreterFil(std::thread& fil, std::mutex& m, std::condition_variable& reveil, std::atomic<bool>& arret) {
  {
    std::lock_guard<std::mutex> verrou(m);
    arret.store(true);
  }
  reveil.notify_all();
  fil.join();
}
}  // namespace

qint64 TCarteTempo::Ms(qint64 tick) const { return TMarcheTempo{*this}.Ms(tick); }

qint64 TCarteTempo::Tick(qint64 ms) const {
  if (ms <= 0) return 0;
  if (MsParTickSmpte > 0) return std::min<qint64>(DernierTick, static_cast<qint64>(ms / MsParTickSmpte));
  const double cible = static_cast<double>(ms) * 1000.0 * Division;  // in microseconds times ticks per quarter
  double us = 0;
  qint64 depuis = 0;
  int tempo = 500000;
  for (const auto& [t, valeur] : Tempos) {
    const double segment = static_cast<double>(t - depuis) * tempo;
    if (us + segment > cible) break;
    us += segment;
    depuis = t;
    tempo = valeur;
  }
  if (tempo <= 0) return DernierTick;  // a tempo of zero never moves on
  return std::clamp<qint64>(depuis + static_cast<qint64>((cible - us) / tempo), 0, DernierTick);
}

bool LireCarteTempo(const QByteArray& smf, TCarteTempo* carte, QString* erreur) {
  auto echec = [&](const char* pourquoi) {
    if (erreur) *erreur = QString::fromLatin1(pourquoi);
    return false;
  };
  const qsizetype n = smf.size();
  if (n < 14 || !smf.startsWith("MThd")) return echec("Not a MIDI file");
  uint32_t lenHead = Big(smf, 4, 4);
  if (lenHead < 6 || lenHead > static_cast<uint32_t>(n - 8)) return echec("Bad MIDI file header");
  TCarteTempo c;
  uint32_t division = Big(smf, 12, 2);
  if (division & 0x8000) {
    int fps = -static_cast<int8_t>(division >> 8);
    int parImage = static_cast<int>(division & 0xFF);
    if (fps <= 0 || parImage == 0) return echec("Bad MIDI time division");
    c.MsParTickSmpte = 1000.0 / ((fps == 29 ? 29.97 : fps) * parImage);
  } else {
    if (division == 0) return echec("Bad MIDI time division");
    c.Division = static_cast<int>(division);
  }
  int pistes = 0;
  // First note and first program change of each channel, as (tick, place in the file).
  using TInstant = std::pair<qint64, qint64>;
  static constexpr TInstant jamais{-1, -1};
  TInstant premiereNote[16], premierProgramme[16];
  std::fill(std::begin(premiereNote), std::end(premiereNote), jamais);
  std::fill(std::begin(premierProgramme), std::end(premierProgramme), jamais);
  qint64 rang = 0;
  auto tot = [](TInstant& t, TInstant i) { t = t == jamais ? i : std::min(t, i); };
  qsizetype pos = 8 + lenHead;
  while (pos + 8 <= n) {
    uint32_t len = Big(smf, pos + 4, 4);
    if (len > static_cast<uint32_t>(n - pos - 8)) return echec("Truncated MIDI file");
    qsizetype p = pos + 8, fin = p + len;
    bool piste = smf.mid(pos, 4) == "MTrk";
    pos = fin;
    if (!piste) continue;  // chunks of other kinds are skipped, as readers must
    ++pistes;
    qint64 tick = 0;
    int statut = 0;
    auto vlq = [&](qint64* out) {
      qint64 v = 0;
      for (int i = 0; i < 4; ++i) {
        if (p >= fin) return false;
        uint8_t b = static_cast<uint8_t>(smf[p++]);
        v = (v << 7) | (b & 0x7F);
        if (!(b & 0x80)) {
          *out = v;
          return true;
        }
      }
      return false;
    };
    while (p < fin) {
      qint64 delta;
      if (!vlq(&delta)) return echec("Bad MIDI event");
      tick += delta;
      if (p >= fin) return echec("Bad MIDI event");
      uint8_t b = static_cast<uint8_t>(smf[p]);
      if (b == 0xFF) {
        if (p + 2 > fin) return echec("Bad MIDI event");
        uint8_t type = static_cast<uint8_t>(smf[p + 1]);
        p += 2;
        qint64 l;
        if (!vlq(&l) || l > fin - p) return echec("Bad MIDI event");
        if (type == 0x51 && l == 3) c.Tempos.emplace_back(tick, static_cast<int>(Big(smf, p, 3)));
        p += l;
        if (type == 0x2F) break;
        continue;
      }
      if (b == 0xF0 || b == 0xF7) {
        ++p;
        qint64 l;
        if (!vlq(&l) || l > fin - p) return echec("Bad MIDI event");
        p += l;
        continue;
      }
      if (b & 0x80) {
        statut = b;
        ++p;
      } else if (statut == 0) {
        return echec("Bad MIDI event");
      }
      int donnees = ((statut & 0xF0) == 0xC0 || (statut & 0xF0) == 0xD0) ? 1 : 2;
      if (p + donnees > fin) return echec("Bad MIDI event");
      c.Evenements.push_back({tick, 0, static_cast<uint8_t>(statut), static_cast<uint8_t>(smf[p] & 0x7F),
                              static_cast<uint8_t>(donnees == 2 ? smf[p + 1] & 0x7F : 0)});
      if ((statut & 0xF0) == 0xC0) {
        tot(premierProgramme[statut & 0x0F], {tick, rang});
        c.Programmes.set(((statut & 0x0F) == 9 ? 128 : 0) + (static_cast<uint8_t>(smf[p]) & 0x7F));
      }
      if ((statut & 0xF0) == 0x90 && smf[p + 1] != 0) tot(premiereNote[statut & 0x0F], {tick, rang});
      ++rang;
      p += donnees;
    }
    c.DernierTick = std::max(c.DernierTick, tick);
  }
  if (pistes == 0) return echec("The MIDI file holds no track");
  for (int canal = 0; canal < 16; ++canal)
    if (premiereNote[canal] != jamais &&
        (premierProgramme[canal] == jamais || premiereNote[canal] < premierProgramme[canal]))
    {
      c.CanauxSansProgramme |= static_cast<uint16_t>(1u << canal);
      c.Programmes.set(canal == 9 ? 128 : 0);
    }
  std::stable_sort(c.Tempos.begin(), c.Tempos.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  // Tracks are read one after the other: at one tick, the earlier track's message goes first.
  std::stable_sort(c.Evenements.begin(), c.Evenements.end(),
                   [](const auto& a, const auto& b) { return a.Tick < b.Tick; });
  TMarcheTempo marche{c};
  for (auto& e : c.Evenements) e.Ms = marche.Ms(e.Tick);
  *carte = std::move(c);
  return true;
}

bool RendreMidiEnWav(const QString& midi, const QString& wav, const QString& soundFont, QString* erreur) {
  if (!FluidSynthApi()) {
    if (erreur) *erreur = QStringLiteral("FluidSynth could not start");
    return false;
  }
  InstallerLog();
  fluid_settings_t* settings = Fs().new_fluid_settings();
  if (!settings) return false;
  Fs().fluid_settings_setstr(settings, "audio.file.name", QFile::encodeName(wav).constData());
  Fs().fluid_settings_setstr(settings, "audio.file.type", "wav");
  Fs().fluid_settings_setstr(settings, "player.timing-source", "sample");
  ReglerSynth(settings);
  fluid_synth_t* synth = nullptr;
  bool ok = CreerSynth(soundFont, settings, &synth, erreur);
  if (ok) {
    fluid_player_t* player = Fs().new_fluid_player(synth);
    ok = player && Fs().fluid_player_add(player, QFile::encodeName(midi).constData()) == FLUID_OK;
    fluid_file_renderer_t* rendu = ok ? Fs().new_fluid_file_renderer(synth) : nullptr;
    ok = ok && rendu && Fs().fluid_player_play(player) == FLUID_OK;
    if (ok) {
      while (Fs().fluid_player_get_status(player) == FLUID_PLAYER_PLAYING)
        if (Fs().fluid_file_renderer_process_block(rendu) != FLUID_OK) break;
      // Half a second more, so that the last notes ring out instead of being cut.
      double rate = 44100;
      Fs().fluid_settings_getnum(settings, "synth.sample-rate", &rate);
      int periode = 64;
      Fs().fluid_settings_getint(settings, "audio.period-size", &periode);
      for (int i = 0; i < static_cast<int>(rate / 2 / periode); ++i) Fs().fluid_file_renderer_process_block(rendu);
      ok = Fs().fluid_player_get_status(player) == FLUID_PLAYER_DONE;
    }
    if (!ok && erreur && erreur->isEmpty()) *erreur = DernierMessage(QStringLiteral("The MIDI file could not be rendered"));
    if (rendu) Fs().delete_fluid_file_renderer(rendu);
    if (player) Fs().delete_fluid_player(player);
    Fs().delete_fluid_synth(synth);
  }
  Fs().delete_fluid_settings(settings);
  return ok;
}

TFluidMediaPlayer::TFluidMediaPlayer(QObject* parent, const QString& soundFont) : TMediaPlayer(parent) {
  poll_.setInterval(100);
  connect(&poll_, &QTimer::timeout, this, &TFluidMediaPlayer::Poll);
  if (!QFileInfo(soundFont).isFile()) {
    erreur_ = QStringLiteral("SoundFont not found: ") + soundFont;
    return;
  }
  // Opening the library and loading the font take from a tenth of a second to a second: the
  // window does not wait for them.
  connect(&attenteDemarrage_, &QTimer::timeout, this, [this] {
    if (demarre_.load()) FinirDemarrage();
  });
  attenteDemarrage_.start(10);
  veilleEnregistrement_.setInterval(100);
  connect(&veilleEnregistrement_, &QTimer::timeout, this, [this] {
    if (!interrompu_.load(std::memory_order_acquire)) return;
    veilleEnregistrement_.stop();
    emit SortieInterrompue(fichierAudio_, QString::fromLocal8Bit(raisonInterruption_.c_str()));
  });
  // The renderer opens by name: it is given the file opened here, through the process's own link
  // to it.
  fichierAudio_ = CheminAuDepart(qEnvironmentVariable("VEXO_AUDIO_FILE"));
  std::string sortie, refus;
  if (!fichierAudio_.isEmpty()) {
    QString pourquoi;
    fdAudio_ = OuvrirFichierAudio(fichierAudio_, &pourquoi);
    if (fdAudio_ >= 0)
      sortie = "/proc/self/fd/" + std::to_string(fdAudio_);
    else
      refus = QStringLiteral("No audio output: %1: %2").arg(fichierAudio_, pourquoi).toLocal8Bit().toStdString();
  }
  demarrage_ = std::thread([this, chemin = QFile::encodeName(soundFont).toStdString(), sortie, refus] {
    {
      std::unique_lock<std::mutex> verrou(mutexLiberation_);
      liberation_.wait_for(verrou, std::chrono::seconds(1), [this] { return libre_.load(); });
    }
    Demarrer(chemin, sortie, refus);
    demarre_.store(true);
  });
}

void TFluidMediaPlayer::LibererDemarrage() {
  std::lock_guard<std::mutex> garde(mutexLiberation_);
  libre_.store(true);
  liberation_.notify_all();
}

// On the worker thread: no Qt here.
void TFluidMediaPlayer::Demarrer(const std::string& soundFont, const std::string& fichierAudio,
                                 const std::string& refus) {
  if (!refus.empty()) {
    erreurDemarrage_ = refus;
    return;
  }
  if (!FluidSynthApi() || !(settings_ = Fs().new_fluid_settings())) {
    erreurDemarrage_ = "FluidSynth could not start";
    return;
  }
  InstallerLog();
  ReglerSynth(settings_);
  // A General MIDI font is mostly samples no song uses: each preset loads its own when selected.
  Fs().fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
  Fs().fluid_settings_setint(settings_, "synth.midi-channels", kCanauxSynth);
  if (!fichierAudio.empty()) {
    Fs().fluid_settings_setstr(settings_, "audio.driver", "file");
    Fs().fluid_settings_setstr(settings_, "audio.file.name", fichierAudio.c_str());
    Fs().fluid_settings_setstr(settings_, "audio.file.type", "wav");
  }
  fluid_synth_t* s = Fs().new_fluid_synth(settings_);
  if (!s) {
    erreurDemarrage_ = DernierMessageBrut("The synthesizer could not be created");
  } else if ((sfont_ = Fs().fluid_synth_sfload(s, soundFont.c_str(), 0)) == FLUID_FAILED) {  // no preset selected yet
    erreurDemarrage_ = DernierMessageBrut("The SoundFont could not be loaded");
    Fs().delete_fluid_synth(s);
    s = nullptr;
  } else if (!fichierAudio.empty()) {
    // FluidSynth's file driver would render from its own timer whether anything sounds or not,
    // filling the file with silence at 176 KB a second: the renderer is driven by Enregistrer().
    Fs().fluid_settings_getnum(settings_, "synth.sample-rate", &frequence_);
    Fs().fluid_settings_getint(settings_, "audio.period-size", &periode_);
    renduDemarre_ = Fs().new_fluid_file_renderer(s);
    if (!renduDemarre_) erreurDemarrage_ = DernierMessageBrut("No audio output");
  } else {
    driverDemarre_ = Fs().new_fluid_audio_driver(settings_, s);
    if (!driverDemarre_) erreurDemarrage_ = DernierMessageBrut("No audio output");
  }
  synthDemarre_ = s;
}

void TFluidMediaPlayer::FinirDemarrage() {
  if (!demarrage_.joinable()) return;
  LibererDemarrage();  // whoever waits for the synth wants it now
  demarrage_.join();
  attenteDemarrage_.stop();
  synth_ = synthDemarre_;
  driver_ = driverDemarre_;
  rendu_ = renduDemarre_;
  if (rendu_) {
    try {
      enregistreur_ = std::thread(&TFluidMediaPlayer::Enregistrer, this);
      veilleEnregistrement_.start();
    } catch (const std::system_error&) {
      Fs().delete_fluid_file_renderer(rendu_);
      rendu_ = nullptr;
      erreurDemarrage_ = "No audio output";
    }
  }
  if (!erreurDemarrage_.empty()) erreur_ = QString::fromLocal8Bit(erreurDemarrage_.c_str());
  emit Demarre();
}

void TFluidMediaPlayer::AttendrePret() { FinirDemarrage(); }

bool TFluidMediaPlayer::Disponible() const {
  if (!Pret()) const_cast<TFluidMediaPlayer*>(this)->FinirDemarrage();
  return driver_ != nullptr || rendu_ != nullptr;
}

TFluidMediaPlayer::~TFluidMediaPlayer() {
  poll_.stop();
  attenteDemarrage_.stop();
  veilleEnregistrement_.stop();
  if (demarrage_.joinable()) {
    LibererDemarrage();
    demarrage_.join();
    synth_ = synthDemarre_;
    driver_ = driverDemarre_;
    rendu_ = renduDemarre_;  // its thread was never started
  }
  EndPlayer();
  // The audio threads go first, then the synth they render. No SoundFont is ever unloaded while
  // the program runs, so no delayed-unload timer can outlive the synth.
  FinirEnregistrement();
  if (rendu_) Fs().delete_fluid_file_renderer(rendu_);  // the WAV file is completed here
  if (driver_) Fs().delete_fluid_audio_driver(driver_);
  if (synth_) Fs().delete_fluid_synth(synth_);
  if (settings_) Fs().delete_fluid_settings(settings_);
  if (fdAudio_ >= 0) ::close(fdAudio_);
}

bool TFluidMediaPlayer::Open(const QString& fichier) {
  Close();
  erreur_.clear();
  // The files played are the program's own, but read as any other: never a FIFO, never unbounded.
  QByteArray octets;
  if (ReadFileChecked(fichier, kTailleFichierMIDIMax, &octets) != EFileRead::Ok) {
    erreur_ = QStringLiteral("Cannot open ") + fichier;
    return false;
  }
  TCarteTempo carte;
  if (!LireCarteTempo(octets, &carte, &erreur_)) return false;
  fichier_ = fichier;
  carte_ = std::move(carte);
  tickArret_ = 0;
  ouvert_ = true;
  return true;
}

void TFluidMediaPlayer::Close() {
  poll_.stop();
  EndPlayer();
  if (synth_) Fs().fluid_synth_all_sounds_off(synth_, -1);
  enCours_ = false;  // a closed file sends no notice
  ouvert_ = false;
  carte_ = TCarteTempo();
  tickArret_ = 0;
}

bool TFluidMediaPlayer::Play() {
  erreur_.clear();
  if (!ouvert_) {
    erreur_ = QStringLiteral("No MIDI file is open");
    return false;
  }
  if (!Pret()) AttendrePret();
  if (!driver_ && !rendu_) {
    erreur_ = QStringLiteral("No audio output");
    return false;
  }
  if (EnLecture()) return true;
  if (sequenceur_.joinable()) {  // ended, but the poll has not seen it yet
    tickArret_ = carte_.DernierTick;
    EndPlayer();
  }
  // The fonts are loaded without selecting a preset on every channel (that alone would load the
  // piano's and the drum kit's samples): a channel the file plays without a program change gets
  // the default here. The program's own files set every channel they use.
  for (int code = 0; code < 256 && prochaineEpingle_ < kCanauxSynth; ++code)
    if (carte_.Programmes[code] && !epingles_[code]) {
      epingles_.set(code);
      Fs().fluid_synth_program_select(synth_, prochaineEpingle_++, sfont_, code >= 128 ? 128 : 0, code & 0x7F);
    }
  // Each playback starts from the controllers' defaults, as a fresh file would. Not a system reset:
  // that would reselect every channel's preset and unload samples a ringing voice still reads.
  for (int canal = 0; canal < 16; ++canal) {
    Fs().fluid_synth_cc(synth_, canal, 121, 0);  // reset all controllers
    Fs().fluid_synth_cc(synth_, canal, 7, 100);
    Fs().fluid_synth_cc(synth_, canal, 10, 64);
    if (carte_.CanauxSansProgramme & (1u << canal)) Fs().fluid_synth_program_change(synth_, canal, 0);
  }
  // At the end of the file a new playback starts from the beginning.
  const qint64 depart = tickArret_ >= carte_.DernierTick ? 0 : tickArret_;
  const auto& ev = carte_.Evenements;
  const size_t premier = static_cast<size_t>(
      std::lower_bound(ev.begin(), ev.end(), depart, [](const TEvenementCanal& e, qint64 t) { return e.Tick < t; }) -
      ev.begin());
  // A playback resumed in the middle finds its channels as the file left them there.
  for (size_t i = 0; i < premier; ++i)
    if (const int type = ev[i].Statut & 0xF0; type != 0x80 && type != 0x90 && type != 0xA0) Envoyer(synth_, ev[i]);
  msDepart_ = carte_.Ms(depart);
  debutLecture_ = std::chrono::steady_clock::now();
  arreter_.store(false);
  fini_.store(false);
  if (rendu_) {
    std::lock_guard<std::mutex> verrou(mutexEnregistreur_);
    joue_.store(true);
    reveilEnregistreur_.notify_all();
  }
  try {
    sequenceur_ = std::thread(&TFluidMediaPlayer::Sequencer, this, premier, msDepart_);
  } catch (const std::system_error&) {
    joue_.store(false);
    erreur_ = QStringLiteral("The MIDI file could not be played");
    return false;
  }
  tickArret_ = depart;
  enCours_ = true;
  poll_.start();
  return true;
}

void TFluidMediaPlayer::Sequencer(size_t premier, qint64 msDepart) {
  const auto debut = debutLecture_;
  const auto& ev = carte_.Evenements;
  std::unique_lock<std::mutex> verrou(mutexSequenceur_);
  // False when the playback was stopped before the time came.
  auto attendre = [&](qint64 ms) {
    return !reveil_.wait_until(verrou, debut + std::chrono::milliseconds(ms - msDepart),
                               [this] { return arreter_.load(); });
  };
  for (size_t i = premier; i < ev.size(); ++i) {
    if (!attendre(ev[i].Ms)) return;
    verrou.unlock();
    Envoyer(synth_, ev[i]);
    verrou.lock();
  }
  if (!attendre(carte_.DureeMs())) return;
  fini_.store(true, std::memory_order_release);
}

void TFluidMediaPlayer::Stop() {
  if (!sequenceur_.joinable()) return;
  tickArret_ = SequenceurFini() ? carte_.DernierTick : carte_.Tick(Position());
  EndPlayer();
  Fs().fluid_synth_all_sounds_off(synth_, -1);
  // The notice of the stopped playback follows at the next poll, as a message would.
}

// The playback ends with the file's last event; the notes ring out on their own.
bool TFluidMediaPlayer::EnLecture() const { return sequenceur_.joinable() && !SequenceurFini(); }

qint64 TFluidMediaPlayer::Position() const {
  if (!ouvert_) return 0;
  if (sequenceur_.joinable()) {
    if (SequenceurFini()) return carte_.DureeMs();
    const auto ecoule = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                              debutLecture_).count();
    return std::min<qint64>(msDepart_ + ecoule, carte_.DureeMs());
  }
  return carte_.Ms(std::clamp<qint64>(tickArret_, 0, carte_.DernierTick));
}

qint64 TFluidMediaPlayer::Length() const { return ouvert_ ? carte_.DureeMs() : 0; }

void TFluidMediaPlayer::EndPlayer() {
  if (!sequenceur_.joinable()) return;
  ArreterFil(sequenceur_, mutexSequenceur_, reveil_, arreter_);
  fini_.store(false);
  joue_.store(false);  // what still rings is recorded until it has died away
}

// The recording thread: while a playback runs or voices still sound, it renders the blocks that
// the time elapsed since the sound began calls for; otherwise it sleeps and the file does not grow.
void TFluidMediaPlayer::Enregistrer() {
  using Horloge = std::chrono::steady_clock;
  const double blocsParMs = frequence_ / 1000.0 / std::max(1, periode_);
  std::unique_lock<std::mutex> verrou(mutexEnregistreur_);
  bool actif = false;
  Horloge::time_point debut;
  qint64 rendus = 0;
  const auto sequence = [this] { return joue_.load() && !SequenceurFini(); };
  while (!finEnregistreur_.load()) {
    if (!sequence() && Fs().fluid_synth_get_active_voice_count(synth_) <= 0) {
      if (actif) {
        // The sound has died away: the file reads whole from here until the next playback.
        actif = false;
        verrou.unlock();
        CompleterEnTeteWav(fdAudio_);
        verrou.lock();
      }
      reveilEnregistreur_.wait_for(verrou, std::chrono::milliseconds(10),
                                   [&] { return finEnregistreur_.load() || sequence(); });
      continue;
    }
    if (!actif) {
      actif = true;
      debut = Horloge::now();
      rendus = 0;
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Horloge::now() - debut).count();
    const qint64 dus = static_cast<qint64>(static_cast<double>(ms) * blocsParMs) + 1;
    verrou.unlock();
    bool ok = true;
    for (; ok && rendus < dus; ++rendus) ok = Fs().fluid_file_renderer_process_block(rendu_) == FLUID_OK;
    verrou.lock();
    if (!ok) {
      // The disk is full: the recording ends there, and the file reads as what it holds.
      CompleterEnTeteWav(fdAudio_);
      raisonInterruption_ = DernierMessageBrut("");  // FluidSynth's words: the system's reason is in them
      if (raisonInterruption_.empty()) raisonInterruption_ = "Write error";
      interrompu_.store(true, std::memory_order_release);
      return;
    }
    reveilEnregistreur_.wait_for(verrou, std::chrono::milliseconds(5), [this] { return finEnregistreur_.load(); });
  }
}

void TFluidMediaPlayer::FinirEnregistrement() {
  if (!enregistreur_.joinable()) return;
  ArreterFil(enregistreur_, mutexEnregistreur_, reveilEnregistreur_, finEnregistreur_);
}

void TFluidMediaPlayer::Poll() {
  if (EnLecture()) return;
  if (sequenceur_.joinable()) {
    tickArret_ = carte_.DernierTick;
    EndPlayer();
  }
  poll_.stop();
  if (!enCours_) return;
  enCours_ = false;
  if (Notify) emit Termine();
}

TMediaPlayer* CreerMediaPlayer(QObject* parent) { return new TFluidMediaPlayer(parent); }
