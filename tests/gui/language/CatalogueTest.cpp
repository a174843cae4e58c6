// The English catalogue: complete against the sources, built into the
// program, and used by the tool for the locale's language.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/VxloError.h"
#include "gui/language/Catalogue.h"
#include "gui/mainwindow/QtText.h"
#include "import/ReadInput.h"
#include "settings/IniFile.h"
#include "navigation/Navigation.h"
#include "support/TempDir.h"

namespace vxlo {
namespace {

bool HasJapanese(const QString& text) {
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}

// Everything wrong with the messages of a .ts file, one line each.
std::vector<std::string> CatalogueFaults(const QString& path) {
    std::vector<std::string> faults;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {"cannot read " + FromQt(path)};
    QXmlStreamReader xml(&file);
    QString context, source, translation, type;
    bool hasTranslation = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QStringView name = xml.name();
            if (name == u"name") context = xml.readElementText();
            if (name == u"message") {
                source.clear();
                translation.clear();
                type.clear();
                hasTranslation = false;
            }
            if (name == u"source") source = xml.readElementText();
            if (name == u"translation") {
                hasTranslation = true;
                type = xml.attributes().value(QStringLiteral("type")).toString();
                translation = xml.readElementText();
            }
        } else if (xml.isEndElement() && xml.name() == u"message") {
            const std::string where = FromQt(context) + " \"" + FromQt(source) + "\": ";
            if (!hasTranslation || (type == "unfinished" && translation.isEmpty())) {
                faults.push_back(where + "not translated");
            } else if (!type.isEmpty()) {
                faults.push_back(where + FromQt(type));
            } else if (translation.isEmpty()) {
                faults.push_back(where + "empty translation");
            } else {
                static const QRegularExpression marker(QStringLiteral("%[1-9]"));
                for (auto it = marker.globalMatch(source); it.hasNext();) {
                    const QString m = it.next().captured();
                    if (!translation.contains(m)) faults.push_back(where + "translation lacks " + FromQt(m));
                }
                if (HasJapanese(translation)) faults.push_back(where + "Japanese in the translation");
            }
        }
    }
    if (xml.hasError()) faults.push_back(FromQt(path) + ": " + FromQt(xml.errorString()));
    return faults;
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    return text;
}

TEST(Catalogue, EveryTextOfTheSourcesHasAFinishedEnglishTranslation) {
    testing::TTempDir dir;
    const std::string copy = dir / "vxlo_en.ts";
    std::filesystem::copy_file(VXLO_SOURCE_DIR "/translations/vxlo_en.ts", copy);
    QProcess lupdate;
    lupdate.setWorkingDirectory(VXLO_SOURCE_DIR);
    lupdate.start(VXLO_LUPDATE, {"src", "-ts", PathToQt(copy), "-no-obsolete"});
    ASSERT_TRUE(lupdate.waitForFinished(120000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
    const std::vector<std::string> faults = CatalogueFaults(PathToQt(copy));
    EXPECT_TRUE(faults.empty()) << "update translations/vxlo_en.ts (see README, Language):\n"
                                << Lines(faults);
}

TEST(Catalogue, AFaultyCatalogueIsToldApart) {
    testing::TTempDir dir;
    const std::string path = dir / "faulty.ts";
    std::ofstream(path, std::ios::binary) << R"(<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS><TS version="2.1" language="en_US"><context><name>C</name>
<message><source>新</source><translation type="unfinished"></translation></message>
<message><source>空</source><translation></translation></message>
<message><source>%1 と %2</source><translation>%1 and</translation></message>
<message><source>和</source><translation>半分 Japanese</translation></message>
<message><source>済</source><translation>Done</translation></message>
<message><source>古</source><translation type="vanished">Old</translation></message>
</context></TS>)";
    EXPECT_EQ(CatalogueFaults(PathToQt(path)),
              (std::vector<std::string>{"C \"新\": not translated", "C \"空\": empty translation",
                                        "C \"%1 と %2\": translation lacks %2",
                                        "C \"和\": Japanese in the translation", "C \"古\": vanished"}));
}

TEST(Catalogue, TheEnglishCatalogueIsBuiltInAndTheCoreSpeaksThroughIt) {
    const TQtTranslator translator;
    const EFileRefused refused(kNotImportableText, "notes.txt");
    EXPECT_EQ(ErrorDisplayText(refused, &translator), ErrorDisplayText(refused));
    {
        const TLanguageCatalogue english(ELanguage::English);
        ASSERT_TRUE(english.Loaded());
        EXPECT_EQ(translator.Translate(kSuicideText), "Illegal move: suicide");
        // The handler's full stop follows the translation's last character.
        EXPECT_EQ(ErrorDisplayText(refused, &translator),
                  "Not a game record that can be imported (IG1, SGF)\nnotes.txt");
        EXPECT_EQ(ToQt(TMessage(kOpenFirstText)), "Open a dictionary first");
        // Text that is not in the catalogue stays as it is.
        EXPECT_EQ(translator.Translate("未知の文"), "未知の文");
    }
    // Gone with its owner: Japanese again.
    EXPECT_EQ(translator.Translate(kSuicideText), kSuicideText);
    const TLanguageCatalogue japanese(ELanguage::Japanese);
    EXPECT_TRUE(japanese.Loaded());
    EXPECT_EQ(translator.Translate(kSuicideText), kSuicideText);
}

class ToolLanguageTest : public ::testing::Test {
protected:
    // vxlo-tool import of a file that is no game record, in the given
    // locale; its standard error.
    std::string ImportError(const QString& lang) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("LC_ALL");
        env.remove("LC_MESSAGES");
        env.insert("LANG", lang);
        env.insert("XDG_CONFIG_HOME", PathToQt(config_));
        QProcess tool;
        tool.setProcessEnvironment(env);
        tool.start(VXLO_TOOL, {"import", PathToQt(dir_ / "d.jsk"), PathToQt(notes_)});
        EXPECT_TRUE(tool.waitForFinished(60000));
        EXPECT_EQ(tool.exitCode(), 1);
        EXPECT_FALSE(std::filesystem::exists(dir_ / "d.jsk"));
        return tool.readAllStandardError().toStdString();
    }
    void SetUp() override { std::ofstream(notes_) << "no moves here\n"; }

    testing::TTempDir dir_;
    std::string config_ = dir_ / "config";
    std::string notes_ = dir_ / "notes.txt";
};

TEST_F(ToolLanguageTest, ErrorsAreEnglishForAnEnglishLocaleAndJapaneseForC) {
    EXPECT_EQ(ImportError("en_US.UTF-8"), "Not a game record that can be imported (IG1, SGF) " + notes_ + "\n");
    EXPECT_EQ(ImportError("C.UTF-8"), "取り込める棋譜ファイル（IG1、SGF）ではありません. " + notes_ + "\n");
    EXPECT_EQ(ImportError("ja_JP.UTF-8"), "取り込める棋譜ファイル（IG1、SGF）ではありません. " + notes_ + "\n");
}

TEST_F(ToolLanguageTest, TheSettingInVxloIniOverridesTheLocale) {
    std::filesystem::create_directories(config_);
    TIniFile ini(config_ + "/VXLO.INI");
    ini.WriteString("Form", "Language", "en");
    EXPECT_EQ(ImportError("C.UTF-8"), "Not a game record that can be imported (IG1, SGF) " + notes_ + "\n");
    ini.WriteString("Form", "Language", "ja");
    EXPECT_EQ(ImportError("en_US.UTF-8"), "取り込める棋譜ファイル（IG1、SGF）ではありません. " + notes_ + "\n");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "d.jsk"));
}

// A VXLO.INI that cannot be read (past its size limit) holds no language:
// the tool starts and the locale decides.
TEST_F(ToolLanguageTest, AnUnreadableSettingsFileLeavesTheLanguageToTheLocale) {
    std::filesystem::create_directories(config_);
    std::ofstream(config_ + "/VXLO.INI") << "[Form]\nLanguage=ja\n" << std::string(17u << 20, ';');
    EXPECT_EQ(ImportError("en_US.UTF-8"), "Not a game record that can be imported (IG1, SGF) " + notes_ + "\n");
}

}  // namespace
}  // namespace vxlo
