#pragma once
// TEvidenceStore: how often game records reached each position of the
// dictionary and how those games ended, in the table `evidence` of the
// companion database (rec 0 is the empty board). Counts gather in memory and
// go to the file one transaction per Flush, so an import of many games costs
// few disk syncs and a killed import leaves counts that never exceed the
// sequences actually entered before the last flush.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "companion/CompanionDatabase.h"

namespace vxlo {

// The result of a game as seen by the player who started a corner.
enum class EStarterResult { Unknown, Won, Lost };

struct TEvidence {
    long long games = 0;
    long long starterWins = 0;
    long long starterLosses = 0;
    int firstYear = 0;  // 0: no game of the position had a date
    int lastYear = 0;
};

class TEvidenceStore {
public:
    // The counts of the companion database; a missing table reads as empty.
    explicit TEvidenceStore(TCompanion db);

    // Makes the table (and the file) now, so that an import learns before
    // its first move that its counts can be stored; EFileRefused naming the
    // store when they cannot.
    void PrepareWrite();

    // One corner sequence passed through rec. year 0 when unknown.
    void Count(int rec, EStarterResult result, int year);
    // Writes what was counted in one transaction; throws EFileRefused naming
    // the store when the commit fails (then nothing of this batch is stored).
    void Flush();
    std::size_t Pending() const { return pending_.size(); }

    // The stored counts of rec (pending ones not included).
    std::optional<TEvidence> Get(int rec);
    bool Any();
    // Removes every count of the dictionary.
    void Clear();
    // Removes the counts of the records, in one transaction.
    void Remove(const std::vector<std::int64_t>& records);

    const std::string& Path() const { return db_->Path(); }
    // The database, for the stores whose rows go with the counts.
    const TCompanion& Companion() const { return db_; }

private:
    bool HasTable();

    TCompanion db_;
    bool hasTable_ = false;
    std::map<int, TEvidence> pending_;
};

}  // namespace vxlo
