#pragma once
// A record store that fails on purpose: from the k-th write on every write
// fails as a full disk does, and the k-th read fails once as a bad sector
// does. Counting starts when the store is armed.
#include <cerrno>
#include <memory>

#include "core/VxloError.h"
#include "dictionary/RecordFile.h"

namespace vxlo::testing {

class TFaultyRecordStore final : public IRecordStore {
public:
    explicit TFaultyRecordStore(std::unique_ptr<IRecordStore> inner) : inner_(std::move(inner)) {}

    void Arm(int failWriteAt, int failReadAt) {
        failWriteAt_ = failWriteAt;
        failReadAt_ = failReadAt;
        writes_ = reads_ = 0;
        faults_ = 0;
    }
    int Faults() const { return faults_; }
    int Writes() const { return writes_; }
    int Reads() const { return reads_; }

    std::int64_t RecordCount() override { return inner_->RecordCount(); }
    TRecordBytes Read(std::int64_t n) override {
        if (++reads_ == failReadAt_) {
            ++faults_;
            throw EInOutError(EIO, Name());
        }
        return inner_->Read(n);
    }
    void Write(std::int64_t n, const TRecordBytes& bytes) override {
        if (failWriteAt_ > 0 && ++writes_ >= failWriteAt_) {
            ++faults_;
            throw EInOutError(ENOSPC, Name());
        }
        inner_->Write(n, bytes);
    }
    const std::string& Name() const override { return inner_->Name(); }

private:
    std::unique_ptr<IRecordStore> inner_;
    int failWriteAt_ = 0;
    int failReadAt_ = 0;
    int writes_ = 0;
    int reads_ = 0;
    int faults_ = 0;
};

}  // namespace vxlo::testing
