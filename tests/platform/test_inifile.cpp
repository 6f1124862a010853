// The settings file: profile-file rules and byte-exact preservation of what the program does not know.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/IniFile.h"
#include "platform/Types.h"

namespace {
QByteArray ReadAll(const QString& path) {
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly));
  return f.readAll();
}
void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}
}  // namespace

TEST(IniFile, RoundTripOfEveryKind) {
  QTemporaryDir dir;
  QString path = dir.filePath("t.ini");
  {
    TIniFile ini(path);
    ini.WriteString("General", "Titre", QString::fromUtf8("Caf\u00e9 \u20ac"));
    ini.WriteInteger("General", "Tempo", -120);
    ini.WriteBool("General", "Son", true);
    ini.WriteBool("General", "Metro", false);
    ini.WriteString("Ecran", "Vide", "");
    ASSERT_TRUE(ini.UpdateFile());
  }
  QByteArray bytes = ReadAll(path);
  // 8-bit Windows-1252 in the file, bools as 1/0.
  EXPECT_TRUE(bytes.contains("Titre=Caf\xE9 \x80\n"));
  EXPECT_TRUE(bytes.contains("Son=1\n"));
  EXPECT_TRUE(bytes.contains("Metro=0\n"));
  TIniFile ini(path);
  EXPECT_EQ(ini.ReadString("General", "Titre", "x"), QString::fromUtf8("Caf\u00e9 \u20ac"));
  EXPECT_EQ(ini.ReadInteger("General", "Tempo", 0), -120);
  EXPECT_TRUE(ini.ReadBool("General", "Son", false));
  EXPECT_FALSE(ini.ReadBool("General", "Metro", true));
  EXPECT_EQ(ini.ReadString("Ecran", "Vide", "def"), "");  // present but empty is not missing
  EXPECT_EQ(ini.ReadString("Ecran", "Absent", "def"), "def");
  EXPECT_EQ(ini.ReadSection("General"), QStringList({"Titre", "Tempo", "Son", "Metro"}));
  EXPECT_EQ(ini.ReadSections(), QStringList({"General", "Ecran"}));
}

TEST(IniFile, UnknownLinesStayInPlace) {
  QTemporaryDir dir;
  QString path = dir.filePath("t.ini");
  WriteAll(path,
           "; made by hand\r\n"
           "[Autre]\r\n"
           "Inconnu = garde  \r\n"
           "\r\n"
           "[General]\r\n"
           "Avant=1\r\n"
           "Tempo=90\r\n"
           "; note\r\n"
           "\r\n"
           "[Fin]\r\n"
           "X=\xE9\r\n");
  TIniFile ini(path);
  ini.WriteInteger("general", "TEMPO", 100);
  ini.WriteInteger("General", "Nouveau", 7);
  ini.WriteString("Neuve", "K", "v");
  ASSERT_TRUE(ini.UpdateFile());
  EXPECT_EQ(ReadAll(path),
            QByteArray("; made by hand\r\n"
                       "[Autre]\r\n"
                       "Inconnu = garde  \r\n"
                       "\r\n"
                       "[General]\r\n"
                       "Avant=1\r\n"
                       "Tempo=100\r\n"
                       "; note\r\n"
                       "Nouveau=7\r\n"
                       "\r\n"
                       "[Fin]\r\n"
                       "X=\xE9\r\n"
                       "[Neuve]\r\n"
                       "K=v\r\n"));
  TIniFile again(path);
  EXPECT_EQ(again.ReadString("Autre", "Inconnu", ""), "garde");  // blanks around a value dropped
  EXPECT_EQ(again.ReadString("Fin", "X", ""), QString::fromUtf8("\u00e9"));
}

TEST(IniFile, CaseInsensitiveAndFirstMatchWins) {
  QTemporaryDir dir;
  QString path = dir.filePath("t.ini");
  WriteAll(path,
           "[Son]\n"
           "Volume=1\n"
           "VOLUME=2\n"
           "Texte=a=b ; c\n"
           "[SON]\n"
           "Volume=3\n"
           "Autre=4\n");
  TIniFile ini(path);
  EXPECT_TRUE(ini.SectionExists("son"));
  EXPECT_FALSE(ini.SectionExists("Sons"));
  EXPECT_EQ(ini.ReadInteger("sOn", "volume", 0), 1);
  EXPECT_EQ(ini.ReadString("Son", "Texte", ""), "a=b ; c");  // value to end of line
  EXPECT_EQ(ini.ReadInteger("Son", "Autre", -1), -1);        // only the first section counts
  ini.WriteInteger("SON", "volume", 9);
  EXPECT_EQ(ini.ReadInteger("Son", "Volume", 0), 9);
  ini.EraseSection("son");
  EXPECT_FALSE(ini.SectionExists("Son"));
  EXPECT_TRUE(ini.ReadSection("Son").isEmpty());
}

TEST(IniFile, NumbersHexAndBadValues) {
  QTemporaryDir dir;
  QString path = dir.filePath("t.ini");
  WriteAll(path,
           "[N]\n"
           "Hex=0x1F\n"
           "HexMaj=0XfF\n"
           "Couleur=0xFFFFFFFF\n"
           "Neg=-42\n"
           "Lettres=12abc\n"
           "Vide=\n"
           "Grand=99999999999\n"
           "Espaces=  17  \n"
           "Bool2=2\n"
           "BoolX=oui\n");
  TIniFile ini(path);
  EXPECT_EQ(ini.ReadInteger("N", "Hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("N", "HexMaj", 0), 255);
  EXPECT_EQ(ini.ReadInteger("N", "Couleur", 0), -1);
  EXPECT_EQ(ini.ReadInteger("N", "Neg", 0), -42);
  EXPECT_EQ(ini.ReadInteger("N", "Lettres", 5), 5);
  EXPECT_EQ(ini.ReadInteger("N", "Vide", 5), 5);
  EXPECT_EQ(ini.ReadInteger("N", "Grand", 5), 5);
  EXPECT_EQ(ini.ReadInteger("N", "Espaces", 5), 17);
  EXPECT_TRUE(ini.ReadBool("N", "Bool2", false));
  EXPECT_TRUE(ini.ReadBool("N", "BoolX", true));
  EXPECT_FALSE(ini.ReadBool("N", "BoolX", false));
}

TEST(IniFile, ValueWithLineBreakCannotPlantKeys) {
  QTemporaryDir dir;
  QString path = dir.filePath("t.ini");
  TIniFile ini(path);
  ini.WriteString("A", "Titre", "x\n[B]\nY=1");
  ASSERT_TRUE(ini.UpdateFile());
  TIniFile again(path);
  EXPECT_FALSE(again.SectionExists("B"));
  EXPECT_EQ(again.ReadString("A", "Titre", ""), "x [B] Y=1");
}

TEST(IniFile, MissingFileAndFailedWrite) {
  QTemporaryDir dir;
  TIniFile ini(dir.filePath("absent.ini"));
  EXPECT_FALSE(ini.SectionExists("X"));
  EXPECT_EQ(ini.ReadInteger("X", "Y", 3), 3);
  TIniFile nowhere(dir.filePath("no/such/folder/t.ini"));
  nowhere.WriteInteger("X", "Y", 1);
  EXPECT_FALSE(nowhere.UpdateFile());
}

TEST(IniFile, TextOutsideWindows1252IsKeptInUtf8) {
  QTemporaryDir dir;
  QString path = dir.filePath("t.ini");
  const QString rep = QString::fromUtf8("R\u00e9pertoire");
  // Windows-1252 while it suffices: the accented key is one byte.
  {
    TIniFile ini(path);
    ini.WriteString("Config", rep, "/tmp");
    ASSERT_TRUE(ini.UpdateFile());
  }
  EXPECT_TRUE(ReadAll(path).contains("R\xe9pertoire=/tmp"));
  // A recent file in another script would come back as question marks in Windows-1252.
  const QString russe = QString::fromUtf8("/home/u/\u041c\u0443\u0437\u044b\u043a\u0430/a.sqt");
  {
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("Config", rep, ""), "/tmp");
    ini.WriteString("Config", "Fichier1", russe);
    ASSERT_TRUE(ini.UpdateFile());
  }
  EXPECT_TRUE(ReadAll(path).contains("R\xc3\xa9pertoire=/tmp"));
  {
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("Config", "Fichier1", ""), russe);
    EXPECT_EQ(ini.ReadString("Config", rep, ""), "/tmp");
  }
  // A file of Windows-1252 bytes that is not valid UTF-8 still reads as Windows-1252.
  WriteAll(path, "[Config]\r\nR\xe9pertoire=C:\\Mes morceaux \x80\r\n");
  TIniFile ini(path);
  EXPECT_EQ(ini.ReadString("Config", rep, ""), QString::fromUtf8("C:\\Mes morceaux \u20ac"));
}

TEST(Codec, EveryByteRoundTrips) {
  std::string tous;
  for (int b = 1; b < 256; ++b) tous.push_back(static_cast<char>(b));
  EXPECT_EQ(QStringToAnsi(AnsiToQString(tous)), tous);
  EXPECT_EQ(QStringToAnsi(QString::fromUtf8("\u20ac\u0416")), "\x80?");
}
