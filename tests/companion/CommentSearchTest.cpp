// Comment search: the full-text index against a plain substring model, kept
// in step by every write, and added to stores made before it.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <optional>
#include <random>

#include "core/VxloError.h"
#include "dictionary/TreeIndex.h"
#include "dictionary/TreeSupport.h"
#include "import/SgfCommentStore.h"
#include "companion/CommentSearch.h"
#include "support/TempDir.h"

namespace vxlo::testing {
namespace {

std::vector<int> Records(const std::vector<TCommentHit>& hits) {
    std::vector<int> records;
    for (const TCommentHit& h : hits) records.push_back(h.record);
    return records;
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

void Sql(const std::string& storePath, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(storePath.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

class CommentSearchTest : public ::testing::Test {
protected:
    std::string Dictionary() const { return dir / "main.jsk"; }
    std::string Store() const { return TCompanionDatabase::PathFor(Dictionary()); }
    TTempDir dir;
};

TEST_F(CommentSearchTest, JapaneseAndEnglishSubstringsAsAPlainScanFindsThem) {
    const std::vector<std::string> words = {"定石", "三々", "星", "小目", "ハサミ", "コウ", "手抜き", "厚み",
                                            "Joseki", "invasion", "Ko", "tenuki", "the", "3-3", "\"quoted\"",
                                            "50%", "a_b"};
    std::mt19937 rng(77);
    std::map<int, std::string> model;
    {
        TSgfCommentStore store(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadWrite));
        for (int rec = 0; rec < 120; ++rec) {
            std::string text;
            const int count = 1 + static_cast<int>(rng() % 6);
            for (int i = 0; i < count; ++i) {
                if (i > 0 && rng() % 2) text += ' ';
                text += words[rng() % words.size()];
            }
            store.PutComment(rec, text);
            model[rec] = text;
        }
    }
    TCommentSearch search(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadWrite));
    std::vector<std::string> queries = {"定石", "三々", "定", "星", "JOSEKI", "joseki", "Inv", "nuki", "ko", "3-3",
                                        "\"q", "50%", "a_b", "%", "_", "石 三", "tenuki定", "absent", "み"};
    // Substrings of stored comments too, any length, by whole characters.
    for (int i = 0; i < 60; ++i) {
        const std::string& text = model[static_cast<int>(rng() % model.size())];
        std::size_t from = rng() % text.size();
        while (from > 0 && (static_cast<unsigned char>(text[from]) & 0xC0) == 0x80) --from;
        std::size_t to = from + 1 + rng() % 9;
        while (to < text.size() && (static_cast<unsigned char>(text[to]) & 0xC0) == 0x80) ++to;
        queries.push_back(text.substr(from, to - from));
    }
    for (const std::string& q : queries) {
        std::vector<int> expected;
        for (const auto& [rec, text] : model) {
            if (Lower(text).find(Lower(q)) != std::string::npos) expected.push_back(rec);
        }
        EXPECT_EQ(Records(search.Find(q)), expected) << "query '" << q << "'";
    }
    EXPECT_TRUE(search.Find("").empty());
}

TEST_F(CommentSearchTest, EveryWriteKeepsTheIndexInStep) {
    {
        TSgfCommentStore store(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadWrite));
        store.PutComment(1, "大斜定石の変化");
        store.PutComment(2, "Avalanche joseki");
    }
    TCommentSearch search(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadWrite));
    EXPECT_EQ(Records(search.Find("大斜定石")), std::vector<int>{1});
    EXPECT_EQ(Records(search.Find("AVALANCHE")), std::vector<int>{2});
    {
        TSgfCommentStore store(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadWrite));
        store.PutComment(1, "なだれ");  // an update through the store
    }
    EXPECT_TRUE(search.Find("大斜定石").empty());
    EXPECT_EQ(Records(search.Find("なだれ")), std::vector<int>{1});
    // Writes by another program, in plain SQL, are kept too.
    Sql(Store(), "DELETE FROM comments WHERE rec = 2;"
                 "INSERT INTO comments (rec, comment) VALUES (7, 'Taisha joseki');");
    EXPECT_EQ(Records(search.Find("joseki")), std::vector<int>{7});
}

// A merge's comments wait in memory until its commit: read back before it,
// the last save of a record wins, and the index takes the texts of the commit.
TEST_F(CommentSearchTest, ABatchIsReadBackBeforeItsCommitAndIndexedWithIt) {
    {
        TSgfCommentStore store(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadWrite));
        store.PutComment(3, "old text");
        store.Commit();
    }
    {
        TSgfCommentStore store(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadWrite));
        store.PutComment(3, "二間高ガカリ");
        store.PutComment(5, "first");
        store.PutComment(5, "ハネ出し");
        EXPECT_EQ(store.GetComment(5), std::optional<std::string>("ハネ出し"));
        EXPECT_EQ(store.GetComment(3), std::optional<std::string>("二間高ガカリ"));
        EXPECT_TRUE(store.HasComment(5));
        EXPECT_FALSE(store.HasComment(6));
        store.Commit();
    }
    TCommentSearch search(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadWrite));
    EXPECT_EQ(Records(search.Find("高ガカリ")), std::vector<int>{3});
    EXPECT_EQ(Records(search.Find("ハネ")), std::vector<int>{5});
    EXPECT_TRUE(search.Find("old").empty());
    EXPECT_TRUE(search.Find("first").empty());
}

TEST_F(CommentSearchTest, AStoreFromBeforeTheIndexGetsItFilled) {
    Sql(Store(), "CREATE TABLE comments (rec INTEGER PRIMARY KEY, comment TEXT);"
                 "INSERT INTO comments VALUES (0, '空き隅'), (3, 'Shimari'), (4, NULL);");
    {
        TCommentSearch search(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadWrite));
        EXPECT_EQ(Records(search.Find("空き隅")), std::vector<int>{0});
        EXPECT_EQ(Records(search.Find("shim")), std::vector<int>{3});
    }
    // Opened by the window's store as well: the index is there once.
    TCommentStore store;
    store.SetCommentUse(true);
    store.OpenCommentTable(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadWrite));
    store.Discard();
    TCommentSearch again(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadWrite));
    EXPECT_EQ(Records(again.Find("Shimari")), std::vector<int>{3});
}

TEST_F(CommentSearchTest, NoStoreNoHitsAndADamagedOneIsNamed) {
    TCommentSearch none(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadWrite));
    EXPECT_TRUE(none.Find("定石").empty());
    EXPECT_FALSE(std::filesystem::exists(Store()));
    {
        std::ofstream(Store()) << "not a database, not at all, really not a database at all";
    }
    try {
        TCommentSearch damaged(OpenCompanion(Dictionary(), TCompanionDatabase::EAccess::ReadWrite));
        FAIL();
    } catch (const EFileRefused& e) {
        EXPECT_EQ(e.FileName(), Store());
    }
}

TEST(SnippetTest, AroundTheFirstMatchOnOneLine) {
    EXPECT_EQ(Snippet("short\nText", "TEXT"), "short Text");
    const std::string longText = "一二三四五六七八九十一二三四五六七八九十定石一二三四五六七八九十一二三四五六七八九十"
                                 "一二三四五六七八九十一二三四五六七八九十";
    EXPECT_EQ(Snippet(longText, "定石"),
              "…六七八九十一二三四五六七八九十定石一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三…");
    EXPECT_EQ(Snippet("abc", "zzz"), "abc");
}

TEST(SearchCommentsTest, ReachedHitsWithTheirMovesNearestFirst) {
    TTempDir dir;
    const std::string dictionary = dir / "d.jsk";
    TNullView view;
    TNullCommentStore none;
    TNullMenuState menus;
    class TQuiet final : public IMessageSink {
        void ShowMessage(const TMessage&) override {}
    } quiet;
    TNavigation nav(view, quiet, none, menus);
    nav.OpenFile(dictionary);
    const int deep = EnterLine(nav, {{16, 4}, {17, 3}, {17, 4}});
    const int shallow = EnterLine(nav, {{4, 4}});
    {
        TSgfCommentStore comments(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadWrite));
        comments.PutComment(deep, "三々入り");
        comments.PutComment(shallow, "星に三々");
        comments.PutComment(99, "三々 (gone)");  // no such record
    }
    const TTreeIndex index = TTreeIndex::Build(nav.Dictionary().Store());
    TCommentSearch search(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadWrite));
    const std::vector<TSearchResult> results = SearchComments(search, index, "三々");
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].record, shallow);
    EXPECT_EQ(results[0].moves, (TLine{{4, 4}}));
    EXPECT_EQ(results[0].snippet, "星に三々");
    EXPECT_EQ(results[1].record, deep);
    EXPECT_EQ(results[1].moves, (TLine{{16, 4}, {17, 3}, {17, 4}}));
    nav.CloseFile();
}

}  // namespace
}  // namespace vxlo::testing
