#pragma once
// Every feature that keeps data in a dictionary's companion database, as one
// list: the pair test runs each after each on one dictionary, the window test
// opens what each left behind. A later feature (engine review, settings) is
// one more row of Features().
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/VxloTool.h"
#include "core/VxloError.h"
#include "import/SgfCommentStore.h"
#include "practice/PracticeStore.h"
#include "companion/CommentStore.h"
#include "companion/MarkupStore.h"

namespace vxlo::testing {

// Runs a feature on a dictionary; the empty text when it worked, else what
// went wrong.
using TFeatureRun = std::function<std::string(const std::string& dictionary)>;

struct TCompanionFeature {
    const char* name;
    bool createsStore;  // makes a table of its own in a dictionary without a store
    TFeatureRun run;
};

inline std::string ToolFails(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunVxloTool(args, out, err);
    if (status == 0) return {};
    return "vxlo-tool " + args[0] + " ended with " + std::to_string(status) + ": " + err.str();
}

inline std::string Beside(const std::string& dictionary, const std::string& name) {
    return (std::filesystem::path(dictionary).parent_path() / name).string();
}

// A game of four moves with a comment, a label and a triangle, a result and a date.
inline std::string GameFile(const std::string& dictionary) {
    const std::string path = Beside(dictionary, "game.sgf");
    std::ofstream(path, std::ios::binary)
        << "(;GM[1]SZ[19]RE[B+R]DT[2001-02-03];B[pd]C[hoshi joseki];W[qc]LB[pd:A]TR[dd];B[qd];W[pc])";
    return path;
}

template <class F>
std::string Caught(F&& f) {
    try {
        f();
    } catch (const EVxloError& e) {
        return e.Message().Text();
    }
    return {};
}

class TTypedMemo final : public IMemo {
public:
    std::string Text() const override { return text_; }
    void Load(const std::string& text) override { text_ = text, modified_ = false; }
    bool Modified() const override { return modified_; }
    void ClearModified() override { modified_ = false; }
    void SetReadOnly(bool) override {}
    void Type(const std::string& text) { text_ = text, modified_ = true; }

private:
    std::string text_;
    bool modified_ = false;
};

inline TCompanion Writer(const std::string& dictionary) {
    return OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadWrite);
}
inline TCompanion Reader(const std::string& dictionary) {
    return OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadOnly);
}

inline const std::vector<TCompanionFeature>& Features() {
    static const std::vector<TCompanionFeature> features = {
        {"CommentWrite", true,
         [](const std::string& d) {
             return Caught([&] {
                 TTypedMemo memo;
                 TCommentStore store(memo);
                 store.SetCommentUse(true);
                 store.OpenCommentTable(Writer(d));
                 store.LocateComment(0);
                 memo.Type("an opening note");
                 store.CloseCommentTable(0, EInputMode::Record);
             });
         }},
        {"MarkupWrite", true,
         [](const std::string& d) {
             return Caught([&] {
                 TMarkupStore store(Writer(d));
                 store.PutMarkup(0, {{EMarkupKind::Triangle, 4, 4, ""}, {EMarkupKind::Label, 16, 4, "A"}});
                 store.Flush();
             });
         }},
        {"ImportCorners", true,
         [](const std::string& d) { return ToolFails({"import", "--corners", d, GameFile(d)}); }},
        {"PracticeSession", true,
         [](const std::string& d) {
             return Caught([&] {
                 TPracticeStore store(Writer(d));
                 TPracticeCard card = store.Find(0).value_or(TPracticeCard{0, 0, 0, 0.0, 0});
                 ++card.reps;
                 store.Put(card);
             });
         }},
        // Comments written by another program (or an earlier version) without
        // the index; the search adds it.
        {"SearchIndexBuild", true,
         [](const std::string& d) {
             const std::string path = TCompanionDatabase::PathFor(d);
             sqlite3* db = nullptr;
             const int rc = sqlite3_open(path.c_str(), &db);
             const int made = sqlite3_exec(db,
                                           "CREATE TABLE IF NOT EXISTS comments (rec INTEGER PRIMARY KEY, comment TEXT);"
                                           "INSERT OR REPLACE INTO comments VALUES (900, 'written elsewhere');",
                                           nullptr, nullptr, nullptr);
             sqlite3_close(db);
             if (rc != SQLITE_OK || made != SQLITE_OK) return std::string("could not write by hand");
             return ToolFails({"search", d, "elsewhere"});
         }},
        {"MergeSgf", true, [](const std::string& d) { return ToolFails({"merge", "--sgf", d, GameFile(d)}); }},
        {"EngineReview", true, [](const std::string& d) { return ToolFails({"review", "--engine", VXLO_FAKE_ENGINE, d}); }},
        {"Search", false, [](const std::string& d) { return ToolFails({"search", d, "joseki"}); }},
        {"ExportSgf", false,
         [](const std::string& d) { return ToolFails({"export-sgf", "--force", d, Beside(d, "out.sgf")}); }},
        {"Stats", false, [](const std::string& d) { return ToolFails({"stats", "--json", d}); }},
        {"PracticeStatus", false, [](const std::string& d) { return ToolFails({"practice-status", d}); }},
        {"CommentsAndMarkupRead", false,
         [](const std::string& d) {
             return Caught([&] {
                 const TCompanion db = Reader(d);
                 TSgfCommentStore comments(db, TSgfCommentStore::EAccess::ReadOnly);
                 TMarkupStore markup(db);
                 for (int rec = 0; rec < 8; ++rec) {
                     comments.GetComment(rec);
                     markup.GetMarkup(rec);
                 }
             });
         }},
    };
    return features;
}

}  // namespace vxlo::testing
