// Every text of the Qt-free layer that a user can read is a template in the
// catalogue: a Japanese literal left unmarked would stay Japanese in every
// language, and lupdate would never show it to a translator.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace vxlo {
namespace {

namespace fs = std::filesystem;

struct TLiteral {
    std::string text;  // as written, escapes not decoded
    int line = 0;
    bool marked = false;  // the text of QT_TRANSLATE_NOOP("vxlo", ...)
};

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The string literals of a C++ source, comments and character literals
// skipped (a ' between digits is a digit separator).
std::vector<TLiteral> Literals(const std::string& source) {
    std::vector<TLiteral> literals;
    std::string code;  // the code before the current point, without blanks
    int line = 1;
    for (std::size_t i = 0; i < source.size(); ++i) {
        const char c = source[i];
        if (c == '\n') ++line;
        if (source.compare(i, 2, "//") == 0) {
            while (i + 1 < source.size() && source[i + 1] != '\n') ++i;
        } else if (source.compare(i, 2, "/*") == 0) {
            const std::size_t end = source.find("*/", i + 2);
            for (std::size_t k = i; k < end && k < source.size(); ++k) line += source[k] == '\n';
            i = end == std::string::npos ? source.size() : end + 1;
        } else if (c == '\'' && !(i > 0 && std::isalnum(static_cast<unsigned char>(source[i - 1])))) {
            for (++i; i < source.size() && source[i] != '\''; ++i) i += source[i] == '\\';
        } else if (c == '"') {
            TLiteral literal{"", line, EndsWith(code, "QT_TRANSLATE_NOOP(\"vxlo\",")};
            for (++i; i < source.size() && source[i] != '"'; ++i) {
                if (source[i] == '\\') literal.text += source[i++];
                literal.text += source[i];
            }
            code += "\"" + literal.text + "\"";
            literals.push_back(std::move(literal));
        } else if (!std::isspace(static_cast<unsigned char>(c))) {
            code += c;
        }
    }
    return literals;
}

// Kana, kanji and full-width forms; other signs ("…") read the same in every language.
bool HasJapanese(const std::string& text) {
    for (std::size_t i = 0; i + 2 < text.size(); ++i) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
        if ((byte(0) & 0xF0) != 0xE0 || (byte(1) & 0xC0) != 0x80 || (byte(2) & 0xC0) != 0x80) continue;
        const unsigned code = (byte(0) & 0x0Fu) << 12 | (byte(1) & 0x3Fu) << 6 | (byte(2) & 0x3Fu);
        if ((code >= 0x3000 && code <= 0x30FF) || (code >= 0x4E00 && code <= 0x9FFF) ||
            (code >= 0xFF00 && code <= 0xFFEF)) {
            return true;
        }
    }
    return false;
}

// The %N a template uses are %1 … %k, each at least once.
bool ArgumentsAreNumberedFromOne(const std::string& text) {
    std::set<int> used;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '%' && text[i + 1] >= '1' && text[i + 1] <= '9') used.insert(text[i + 1] - '0');
    }
    return used.empty() || (*used.begin() == 1 && *used.rbegin() == static_cast<int>(used.size()));
}

TEST(MarkedTexts, TheLiteralScannerSeesCommentsCharactersAndMarks) {
    const std::vector<TLiteral> found = Literals(
        "// \"not\" 'a'\nconst char* a = QT_TRANSLATE_NOOP(\"vxlo\",\n \"印 %1\");\n"
        "int n = 1'000; char q = '\"'; /* \"no\" */ f(\"ab\\\"c\", \"其\");\n");
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(found[0].text, "vxlo");
    EXPECT_FALSE(found[0].marked);
    EXPECT_EQ(found[1].text, "印 %1");
    EXPECT_TRUE(found[1].marked);
    EXPECT_EQ(found[1].line, 3);
    EXPECT_EQ(found[2].text, "ab\\\"c");
    EXPECT_EQ(found[3].text, "其");
    EXPECT_FALSE(found[3].marked);
    EXPECT_EQ(found[3].line, 4);
    EXPECT_TRUE(HasJapanese("a（b"));
    EXPECT_FALSE(HasJapanese("a…b"));
    EXPECT_TRUE(ArgumentsAreNumberedFromOne("%2 と %1"));
    EXPECT_FALSE(ArgumentsAreNumberedFromOne("%2 だけ"));
}

TEST(MarkedTexts, EveryJapaneseTextOfTheCoreIsAMarkedTemplate) {
    const fs::path sources = fs::path(VXLO_TEST_DATA) / ".." / ".." / "src";
    // Not messages: the candidate labels, the settings file's keys (the same
    // in every language), and the generated data of the benchmarks and the sample.
    const std::set<std::string> notMessages{"dictionary/Fjsk.cpp", "dictionary/Fjsk.h", "settings/SettingsKeys.cpp",
                                            "cli/vxlo-bench.cpp", "cli/FindBench.cpp", "cli/JosekiTreeGenerator.cpp",
                                            "cli/SampleGames.cpp"};
    int templates = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(sources)) {
        const fs::path file = entry.path();
        const std::string name = file.lexically_relative(sources).generic_string();
        if (name.rfind("gui/", 0) == 0 || (file.extension() != ".cpp" && file.extension() != ".h")) continue;
        std::ifstream in(file, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        for (const TLiteral& literal : Literals(bytes.str())) {
            if (literal.marked) {
                ++templates;
                EXPECT_TRUE(ArgumentsAreNumberedFromOne(literal.text)) << name << ":" << literal.line;
            } else if (HasJapanese(literal.text) && !notMessages.count(name)) {
                ADD_FAILURE() << name << ":" << literal.line << ": unmarked text " << literal.text;
            }
        }
    }
    EXPECT_GT(templates, 0) << "no sources under " << sources;
}

}  // namespace
}  // namespace vxlo
