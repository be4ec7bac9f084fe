#pragma once
// A job table with the job schema for tests, with a record of every
// progress text written into it.

#include <string>
#include <vector>

#include "app/jobs/JobTable.h"

namespace tsm {

class TTestJobs {
 public:
  TTestJobs() {
    DefineJobFields(table);
    table.Open();
    table.AddListener(&m_recorder);
  }
  ~TTestJobs() { table.RemoveListener(&m_recorder); }

  // Appends a pending job as the parameters dialog saves one; it becomes current.
  void Add(const std::string& targetName) {
    table.StartAppend();
    table.FieldNamed(jobfield::kSourceFile)->SetText("/video/" + targetName + ".mpg");
    table.FieldNamed(jobfield::kTargetFolder)->SetText("/out");
    table.FieldNamed(jobfield::kTargetName)->SetText(targetName);
    table.FieldNamed(jobfield::kStatus)->SetText(kJobPending);
    table.FieldNamed(jobfield::kProgress)->SetText("");
    table.FieldNamed(jobfield::kRangeOnly)->SetBoolean(false);
    table.PostRecord();
    progressLog.clear();
  }

  // Fields of a row (0-based) as the grid would show them, pending writes included.
  std::string Progress(int row) const { return table.RowText(row, *table.FieldNamed(jobfield::kProgress)); }
  std::string Status(int row) const { return table.RowText(row, *table.FieldNamed(jobfield::kStatus)); }
  int Row() const { return table.CurrentRow(); }
  void Move(int row) { table.SetRecordNumber(row + 1); }
  bool Editing() const { return table.State() == TableState::Edit; }

  TmtMemTable table{"mtMemTable1"};
  std::vector<std::string> progressLog;  // progress texts written since the last Add, in order

 private:
  class TRecorder : public TableListener {
   public:
    explicit TRecorder(TTestJobs& owner) : m_owner(owner) {}
    void OnStateChange(TDataSet&) override {}
    void OnDataChange(TDataSet&, const TField* field) override {
      if (field != nullptr && field->FieldName() == jobfield::kProgress) m_owner.progressLog.push_back(field->GetText());
    }

   private:
    TTestJobs& m_owner;
  };
  TRecorder m_recorder{*this};
};

}  // namespace tsm
