#pragma once
// A record store that logs every read and write by record number, on top of
// any other store (memory or file).
#include <memory>
#include <vector>

#include "dictionary/RecordFile.h"

namespace vxlo::testing {

class TRecordingStore final : public IRecordStore {
public:
    explicit TRecordingStore(std::unique_ptr<IRecordStore> inner) : inner_(std::move(inner)) {}

    std::int64_t RecordCount() override { return inner_->RecordCount(); }
    TRecordBytes Read(std::int64_t n) override {
        reads.push_back(n);
        return inner_->Read(n);
    }
    void Write(std::int64_t n, const TRecordBytes& bytes) override {
        writes.push_back(n);
        inner_->Write(n, bytes);
    }
    const std::string& Name() const override { return inner_->Name(); }
    TJskRecord Record(std::int64_t n) { return DecodeRecord(inner_->Read(n)); }
    void ClearLog() {
        reads.clear();
        writes.clear();
    }

    std::vector<std::int64_t> reads;   // record numbers, in order
    std::vector<std::int64_t> writes;  // record numbers, in order

private:
    std::unique_ptr<IRecordStore> inner_;
};

}  // namespace vxlo::testing
