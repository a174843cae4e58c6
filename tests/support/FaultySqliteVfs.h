#pragma once
// A SQLite file system that fails on purpose, for the comment store: while it
// lives it is the default file system, passing everything to the real one;
// once armed, from the k-th write or sync of a file whose name ends with a
// given suffix on, every such call fails with the given code (a full disk,
// an I/O error) as a real disk does.
#include <sqlite3.h>

#include <cstring>
#include <stdexcept>
#include <string>

namespace vxlo::testing {

class TFaultySqliteVfs {
public:
    enum class EOperation { Write, Sync };

    TFaultySqliteVfs() {
        real_ = sqlite3_vfs_find(nullptr);
        if (!real_) throw std::runtime_error("no SQLite file system");
        vfs_ = *real_;
        vfs_.pNext = nullptr;
        vfs_.zName = "vxlo-faulty";
        vfs_.pAppData = this;
        vfs_.szOsFile = static_cast<int>(sizeof(TFile)) + real_->szOsFile;
        vfs_.xOpen = &Open;
        if (sqlite3_vfs_register(&vfs_, 1) != SQLITE_OK) throw std::runtime_error("vfs register");
    }
    ~TFaultySqliteVfs() {
        sqlite3_vfs_unregister(&vfs_);
        sqlite3_vfs_register(real_, 1);
    }
    TFaultySqliteVfs(const TFaultySqliteVfs&) = delete;
    TFaultySqliteVfs& operator=(const TFaultySqliteVfs&) = delete;

    void Arm(EOperation operation, const std::string& suffix, int failAt, int code) {
        operation_ = operation;
        suffix_ = suffix;
        failAt_ = failAt;
        code_ = code;
        calls_ = faults_ = 0;
    }
    void Disarm() { failAt_ = 0; }
    int Faults() const { return faults_; }
    int Calls() const { return calls_; }

private:
    struct TFile {
        sqlite3_file base;
        TFaultySqliteVfs* owner;
        const char* name;  // SQLite keeps it valid while the file is open
        sqlite3_file* Real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
    };

    static TFile* Self(sqlite3_file* f) { return reinterpret_cast<TFile*>(f); }

    // True when this call is to fail.
    bool Fault(TFile* file, EOperation operation) {
        if (failAt_ <= 0 || operation != operation_ || !file->name) return false;
        const std::string n = file->name;
        if (n.size() < suffix_.size() || n.compare(n.size() - suffix_.size(), suffix_.size(), suffix_) != 0)
            return false;
        if (++calls_ < failAt_) return false;
        ++faults_;
        return true;
    }

    static int Open(sqlite3_vfs* vfs, const char* name, sqlite3_file* f, int flags, int* outFlags) {
        auto* self = static_cast<TFaultySqliteVfs*>(vfs->pAppData);
        TFile* file = Self(f);
        file->owner = self;
        file->name = name;
        const int rc = self->real_->xOpen(self->real_, name, file->Real(), flags, outFlags);
        file->base.pMethods = file->Real()->pMethods ? &kMethods : nullptr;
        return rc;
    }

    static int Close(sqlite3_file* f) { return Self(f)->Real()->pMethods->xClose(Self(f)->Real()); }
    static int Read(sqlite3_file* f, void* p, int n, sqlite3_int64 o) {
        return Self(f)->Real()->pMethods->xRead(Self(f)->Real(), p, n, o);
    }
    static int Write(sqlite3_file* f, const void* p, int n, sqlite3_int64 o) {
        TFile* file = Self(f);
        if (file->owner->Fault(file, EOperation::Write)) return file->owner->code_;
        return file->Real()->pMethods->xWrite(file->Real(), p, n, o);
    }
    static int Truncate(sqlite3_file* f, sqlite3_int64 size) {
        return Self(f)->Real()->pMethods->xTruncate(Self(f)->Real(), size);
    }
    static int Sync(sqlite3_file* f, int flags) {
        TFile* file = Self(f);
        if (file->owner->Fault(file, EOperation::Sync)) return file->owner->code_;
        return file->Real()->pMethods->xSync(file->Real(), flags);
    }
    static int FileSize(sqlite3_file* f, sqlite3_int64* size) {
        return Self(f)->Real()->pMethods->xFileSize(Self(f)->Real(), size);
    }
    static int Lock(sqlite3_file* f, int level) { return Self(f)->Real()->pMethods->xLock(Self(f)->Real(), level); }
    static int Unlock(sqlite3_file* f, int level) {
        return Self(f)->Real()->pMethods->xUnlock(Self(f)->Real(), level);
    }
    static int CheckReservedLock(sqlite3_file* f, int* out) {
        return Self(f)->Real()->pMethods->xCheckReservedLock(Self(f)->Real(), out);
    }
    static int FileControl(sqlite3_file* f, int op, void* arg) {
        return Self(f)->Real()->pMethods->xFileControl(Self(f)->Real(), op, arg);
    }
    static int SectorSize(sqlite3_file* f) { return Self(f)->Real()->pMethods->xSectorSize(Self(f)->Real()); }
    static int DeviceCharacteristics(sqlite3_file* f) {
        return Self(f)->Real()->pMethods->xDeviceCharacteristics(Self(f)->Real());
    }

    // Version 1: no shared memory and no mapping, so every write of a
    // rollback journal and a database goes through Write.
    static constexpr sqlite3_io_methods kMethods = {
        1, &Close, &Read, &Write, &Truncate, &Sync, &FileSize, &Lock, &Unlock, &CheckReservedLock,
        &FileControl, &SectorSize, &DeviceCharacteristics, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};

    sqlite3_vfs* real_ = nullptr;
    sqlite3_vfs vfs_{};
    EOperation operation_ = EOperation::Write;
    std::string suffix_;
    int failAt_ = 0;
    int code_ = SQLITE_IOERR;
    int calls_ = 0;
    int faults_ = 0;
};

}  // namespace vxlo::testing
