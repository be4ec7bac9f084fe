#pragma once
// Helpers shared by the memory table's tests.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/base/DataSet.h"
#include "memtable/Field.h"

namespace tsm::test {

// Runs fn and expects an error of type E whose text is exactly text.
template <typename E>
void ExpectError(const std::function<void()>& fn, const std::string& text) {
  try {
    fn();
    ADD_FAILURE() << "no error, expected: " << text;
  } catch (const E& e) {
    EXPECT_EQ(std::string(e.what()), text);
  } catch (const std::exception& e) {
    ADD_FAILURE() << "other error: " << e.what() << ", expected: " << text;
  }
}

// Records the notifications a table sends: "state:<State>", "data",
// "data:<field name>".
class TRecorder : public TableListener {
 public:
  void OnStateChange(TDataSet& dataSet) override {
    static const char* kNames[] = {"Inactive", "Browse", "Edit", "Insert"};
    log.push_back(std::string("state:") + kNames[static_cast<int>(dataSet.State())]);
  }
  void OnDataChange(TDataSet&, const TField* field) override {
    log.push_back(field != nullptr ? "data:" + field->FieldName() : "data");
  }
  std::vector<std::string> log;
};

}  // namespace tsm::test
