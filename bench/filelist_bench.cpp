// Figures of the file dialogs' file-system side on a folder the benchmark
// makes under /tmp: 5,000 files (clipNNNN.avi, .mkv, .txt and names without
// a dot, mixed case) and 50 folders.
//   - ListFolderEntries: read, stat, sort (folders first, reading order);
//   - the same plus the converter's first filter (ten video masks);
//   - the same plus the type name of every listed file (MIME database);
//   - the open dialog's file list (TskSkinFileListView) showing the folder
//     with the converter's masks and painting it once, in the list view and
//     in the details view (types and dates of the rows on screen), on the
//     headless window system with the stored skin.
// The dialog's target: a folder of 5,000 files lists in under 200 ms.

#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "framework/forms/Application.h"
#include "framework/forms/CustomForm.h"
#include "platform/os/FileMask.h"
#include "platform/os/FolderListing.h"
#include "platform/os/MimeDatabase.h"
#include "platform/window/HeadlessBackend.h"
#include "platform/window/WindowApi.h"
#include "platform/window/WindowSystem.h"
#include "skin/TskCompressedStoredSkin.h"
#include "skin/TskSkinData.h"
#include "skinforms/TskSkinFileListView.h"
#include "tools/defskin/DefaultSkin.h"

namespace {

using namespace tsm;

const std::string& Folder() {
  static const std::string folder = [] {
    char pattern[] = "/tmp/tm_filelist_bench.XXXXXX";
    std::string path = ::mkdtemp(pattern);
    const char* kinds[] = {".avi", ".MKV", ".txt", "", ".Mp4"};
    for (int i = 0; i < 5000; ++i)
      std::ofstream(path + "/Clip" + std::to_string(i) + kinds[i % 5]) << "x";
    for (int i = 0; i < 50; ++i) ::mkdir((path + "/folder" + std::to_string(i)).c_str(), 0755);
    static const std::string* kept = new std::string(path);
    std::atexit([] { std::system(("rm -rf '" + *kept + "'").c_str()); });
    return path;
  }();
  return folder;
}

const char* kVideoMasks = "*.avi;*.rm;*.rmvb;*.mpg;*.mpeg;*.mp4;*.asf;*.wmv;*.dat;*.vob";

void BM_ListFolder(benchmark::State& state) {
  const std::string& folder = Folder();
  for (auto _ : state) {
    TFolderListing listing = ListFolderEntries(folder);
    benchmark::DoNotOptimize(listing.Entries.data());
  }
  state.counters["entries"] = double(ListFolderEntries(folder).Entries.size());
}
BENCHMARK(BM_ListFolder)->Unit(benchmark::kMillisecond);

void BM_ListFolderFiltered(benchmark::State& state) {
  const std::string& folder = Folder();
  size_t shown = 0;
  for (auto _ : state) {
    const TFileMaskList masks(kVideoMasks);
    TFolderListing listing = ListFolderEntries(folder);
    shown = 0;
    for (const TFolderEntry& e : listing.Entries)
      if (e.IsFolder || masks.Matches(e.Name)) ++shown;
    benchmark::DoNotOptimize(shown);
  }
  state.counters["shown"] = double(shown);
}
BENCHMARK(BM_ListFolderFiltered)->Unit(benchmark::kMillisecond);

void BM_ListFolderWithTypes(benchmark::State& state) {
  const std::string& folder = Folder();
  const TMimeDatabase& db = TMimeDatabase::Shared();
  for (auto _ : state) {
    TFolderListing listing = ListFolderEntries(folder);
    size_t named = 0;
    for (const TFolderEntry& e : listing.Entries)
      if (!e.IsFolder && !db.Comment(db.TypeOfName(e.Name), "zh_CN").empty()) ++named;
    benchmark::DoNotOptimize(named);
  }
}
BENCHMARK(BM_ListFolderWithTypes)->Unit(benchmark::kMillisecond);

// A shown form with the file list filling it, on the stored skin.
struct TListScene {
  TListScene() {
    form = Application().CreateForm<TForm>();
    form->SetBounds(100, 100, 450, 200);
    auto* stored = new TskCompressedStoredSkin(form);
    AssignDefaultStoredSkin(*stored);
    auto* skin = new TskSkinData(form);
    skin->SetCompressedStoredSkin(stored);
    list = new TskSkinFileListView(form);
    list->SetParent(form);
    list->SetAlign(TAlign::alClient);
    list->SetSkinData(skin);
    form->Show();
    Application().ProcessMessages();
  }
  ~TListScene() { form->Free(); }
  void ShowAndPaint() {
    list->SetFolder(*TskShellFolder::FromPath(Folder()));
    UpdateWindow(list->Handle());
  }
  TForm* form = nullptr;
  TskSkinFileListView* list = nullptr;
};

// Arguments: the view style, and 1 for the converter's masks or 0 for "*.*".

void BM_FileListViewShowsFolder(benchmark::State& state) {
  TListScene scene;
  scene.list->SetViewStyle(static_cast<TskViewStyle>(state.range(0)));
  scene.list->SetMask(state.range(1) ? kVideoMasks : "*.*");
  for (auto _ : state) scene.ShowAndPaint();
  state.counters["items"] = double(scene.list->Count());
  state.SetLabel(std::string(state.range(0) == int(TskViewStyle::vsReport) ? "details" : "list") +
                 (state.range(1) ? ", video masks" : ", *.*"));
}
BENCHMARK(BM_FileListViewShowsFolder)
    ->Args({int(TskViewStyle::vsList), 1})
    ->Args({int(TskViewStyle::vsList), 0})
    ->Args({int(TskViewStyle::vsReport), 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  TWindowSystem::Initialize(std::make_unique<THeadlessBackend>());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  FreeApplication();
  TWindowSystem::Shutdown();
  return 0;
}
