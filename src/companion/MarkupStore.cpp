#include "companion/MarkupStore.h"

#include <sqlite3.h>

#include "core/VxloError.h"
#include "companion/CompanionDatabase.h"

namespace vxlo {

namespace {
constexpr const char* kCannotReadText = QT_TRANSLATE_NOOP("vxlo", "マークを読み込めません");
constexpr const char* kCannotSaveText = QT_TRANSLATE_NOOP("vxlo", "マークを保存できません");
constexpr const char* kSelect = "SELECT kind, x, y, label FROM markup WHERE rec = ?1 ORDER BY rowid";
}  // namespace

std::string_view SgfMarkupProperty(EMarkupKind kind) {
    switch (kind) {
    case EMarkupKind::Label: return "LB";
    case EMarkupKind::Triangle: return "TR";
    case EMarkupKind::Square: return "SQ";
    case EMarkupKind::Circle: return "CR";
    case EMarkupKind::Cross: return "MA";
    }
    return "";
}

bool MarkupKindOfProperty(std::string_view name, EMarkupKind& kind) {
    for (EMarkupKind k : kAllMarkupKinds) {
        if (SgfMarkupProperty(k) == name) {
            kind = k;
            return true;
        }
    }
    return false;
}

bool MarkupKindFromNumber(int number, EMarkupKind& kind) {
    if (number < 1 || number > 5) return false;
    kind = static_cast<EMarkupKind>(number);
    return true;
}

TMarkupStore::TMarkupStore(TCompanion db) : db_(std::move(db)) { Reload(); }

void TMarkupStore::Reload() {
    select_.reset();
    storedEmpty_ = true;
    if (!db_->Has(ECompanionTable::Markup)) return;
    select_ = db_->Prepare(kSelect, kCannotReadText);
    const TStatement any = db_->Prepare("SELECT EXISTS (SELECT 1 FROM markup)", kCannotReadText);
    const int found = sqlite3_step(any.get());
    if (found != SQLITE_ROW) db_->Fail(kCannotReadText, found);
    storedEmpty_ = sqlite3_column_int(any.get(), 0) == 0;
}

TMarkupList TMarkupStore::Stored(int rec) {
    TMarkupList list;
    if (!select_ || storedEmpty_) return list;
    sqlite3_stmt* s = select_.get();
    sqlite3_reset(s);
    sqlite3_bind_int(s, 1, rec);
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        TMarkup m;
        if (!MarkupKindFromNumber(sqlite3_column_int(s, 0), m.kind)) continue;
        m.x = sqlite3_column_int(s, 1);
        m.y = sqlite3_column_int(s, 2);
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, 3));
        if (text) m.label = text;
        list.push_back(std::move(m));
    }
    sqlite3_reset(s);
    if (rc != SQLITE_DONE) db_->Fail(kCannotReadText, rc);
    return list;
}

bool TMarkupStore::HasMarkup(int rec) {
    const auto it = pending_.find(rec);
    if (it != pending_.end()) return !it->second.empty();
    return !Stored(rec).empty();
}

void TMarkupStore::PutMarkup(int rec, const TMarkupList& markup) {
    if (db_->Access() != TCompanionDatabase::EAccess::ReadWrite) throw EFileRefused(kCannotSaveText, StorePath());
    pending_[rec] = markup;
}

TMarkupList TMarkupStore::GetMarkup(int rec) {
    const auto it = pending_.find(rec);
    if (it != pending_.end()) return it->second;
    return Stored(rec);
}

void TMarkupStore::Flush() {
    if (pending_.empty()) return;
    std::map<int, TMarkupList> pending;
    pending.swap(pending_);
    if (!select_) {
        bool any = false;
        for (const auto& entry : pending) any = any || !entry.second.empty();
        if (!any) return;
    }
    TCompanionTransaction transaction(*db_, kCannotSaveText);
    db_->Ensure(ECompanionTable::Markup);
    {
        const TStatement remove = db_->Prepare("DELETE FROM markup WHERE rec = ?1", kCannotSaveText);
        const TStatement insert =
            db_->Prepare("INSERT INTO markup (rec, kind, x, y, label) VALUES (?1, ?2, ?3, ?4, ?5)", kCannotSaveText);
        for (const auto& [rec, list] : pending) {
            if (!storedEmpty_) {
                sqlite3_bind_int(remove.get(), 1, rec);
                db_->Run(remove.get(), kCannotSaveText);
            }
            for (const TMarkup& m : list) {
                sqlite3_stmt* s = insert.get();
                sqlite3_bind_int(s, 1, rec);
                sqlite3_bind_int(s, 2, static_cast<int>(m.kind));
                sqlite3_bind_int(s, 3, m.x);
                sqlite3_bind_int(s, 4, m.y);
                // Text for a label, NULL for a sign: the column's declared type.
                if (m.kind == EMarkupKind::Label) {
                    sqlite3_bind_text(s, 5, m.label.data(), static_cast<int>(m.label.size()), SQLITE_TRANSIENT);
                } else {
                    sqlite3_bind_null(s, 5);
                }
                db_->Run(s, kCannotSaveText);
            }
        }
    }
    transaction.Commit();
    Reload();
}

}  // namespace vxlo
