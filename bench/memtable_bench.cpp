// Job table figures on 100,000 job records (the job schema, every field
// written as the parameters dialog writes it):
//   AppendJobs            append 100,000 records (StartAppend, 13 writes, PostRecord)
//   FindLastRecordLinear  FindRecord on "mbw" (no sort, no index) for the value
//                         that only the last of 100,000 records holds
//   SortOnTextField       sort 100,000 records on "sourse_file" (random paths)
//   PostEditsSorted       10,000 edits of the sorted field in a table of
//                         100,000 records sorted on it (each post moves the record)
//   PostEditsOtherField   10,000 edits of another field in the same sorted table
// Counters: records or edits per second; block bytes per record.

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

#include "app/jobs/JobTable.h"

namespace tsm {

namespace {

constexpr int kRecords = 100000;
constexpr int kEdits = 10000;

std::string RandomPath(std::mt19937& rng) {
  static const char* kFolders[] = {"/home/user/视频/", "/media/disk/movies/", "/srv/clips/2024/", "/tmp/"};
  std::string path = kFolders[rng() % 4];
  for (int i = 0; i < 12; ++i) path += static_cast<char>('a' + rng() % 26);
  return path + ".mpg";
}

std::string TargetName(int i) { return "job" + std::to_string(i) + ".avi"; }

void AppendJob(TmtMemTable& t, TField* const* f, int i, std::mt19937& rng) {
  t.StartAppend();
  f[0]->SetText(RandomPath(rng));
  f[1]->SetText("/home/user/out");
  f[2]->SetText(TargetName(i));
  f[3]->SetText("");
  f[4]->SetText(kJobPending);
  f[5]->SetText("640x480");
  f[6]->SetText("高");
  f[7]->SetText("4:3");
  f[8]->SetText("0");
  f[9]->SetText("10");
  f[10]->SetText("1");
  f[11]->SetText("30");
  f[12]->SetBoolean(i % 2 == 0);
  t.PostRecord();
}

std::unique_ptr<TmtMemTable> MakeJobs(int count, unsigned seed) {
  auto t = std::make_unique<TmtMemTable>("mtMemTable1");
  DefineJobFields(*t);
  t->Open();
  TField* f[13];
  for (int k = 0; k < 13; ++k) f[k] = t->Fields(k + 1);
  std::mt19937 rng(seed);
  for (int i = 0; i < count; ++i) AppendJob(*t, f, i, rng);
  return t;
}

void AppendJobs(benchmark::State& state) {
  for (auto _ : state) {
    auto t = MakeJobs(kRecords, 1);
    benchmark::DoNotOptimize(t->RecordTotal());
  }
  state.counters["records/s"] = benchmark::Counter(double(kRecords) * double(state.iterations()),
                                                   benchmark::Counter::kIsRate);
  TmtMemTable probe;
  DefineJobFields(probe);
  int bytes = 0;
  for (int i = 0; i < probe.FieldCount(); ++i) bytes += probe.Fields(i)->BinaryWidth() + 1;
  state.counters["block bytes"] = bytes;
}
BENCHMARK(AppendJobs)->Unit(benchmark::kMillisecond);

void FindLastRecordLinear(benchmark::State& state) {
  static auto t = MakeJobs(kRecords, 2);
  const std::string last = TargetName(kRecords - 1);
  for (auto _ : state) {
    t->MoveFirst();
    if (!t->FindRecord("mbw", last)) state.SkipWithError("not found");
  }
  state.counters["records scanned/s"] = benchmark::Counter(double(kRecords) * double(state.iterations()),
                                                           benchmark::Counter::kIsRate);
}
BENCHMARK(FindLastRecordLinear)->Unit(benchmark::kMillisecond);

void SortOnTextField(benchmark::State& state) {
  unsigned seed = 3;
  for (auto _ : state) {
    state.PauseTiming();
    auto t = MakeJobs(kRecords, seed++);
    state.ResumeTiming();
    t->SetSortedField("sourse_file");
    benchmark::DoNotOptimize(t->RecordNumber());
    state.PauseTiming();
    t.reset();
    state.ResumeTiming();
  }
  state.counters["records/s"] = benchmark::Counter(double(kRecords) * double(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(SortOnTextField)->Unit(benchmark::kMillisecond)->Iterations(5);

void PostEdits(benchmark::State& state, const char* field) {
  static auto t = [] {
    auto table = MakeJobs(kRecords, 4);
    table->SetSortedField("sourse_file");
    return table;
  }();
  std::mt19937 rng(5);
  TField* edited = t->FieldNamed(field);
  for (auto _ : state) {
    for (int i = 0; i < kEdits; ++i) {
      t->SetRecordNumber(1 + static_cast<int>(rng() % kRecords));
      t->StartEdit();
      edited->SetText(RandomPath(rng));
      t->PostRecord();
    }
  }
  state.counters["edits/s"] = benchmark::Counter(double(kEdits) * double(state.iterations()),
                                                 benchmark::Counter::kIsRate);
}

void PostEditsSorted(benchmark::State& state) { PostEdits(state, "sourse_file"); }
BENCHMARK(PostEditsSorted)->Unit(benchmark::kMillisecond);

void PostEditsOtherField(benchmark::State& state) { PostEdits(state, "mbl"); }
BENCHMARK(PostEditsOtherField)->Unit(benchmark::kMillisecond);

}  // namespace

}  // namespace tsm

BENCHMARK_MAIN();
